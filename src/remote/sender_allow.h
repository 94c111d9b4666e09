#pragma once
// Who may send to the remotes (OscAllow, for OSC and for MSC over UDP): a
// comma-separated list of IPv4 addresses ("2.0.0.5") and ranges
// ("2.0.0.0/8"); a list without entries lets every sender in.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace prismel::remote {

struct AllowRange {
    uint32_t network = 0;  // host order, the bits past the prefix cleared
    uint32_t mask = 0;
    friend bool operator==(const AllowRange&, const AllowRange&) = default;
};

struct SenderAllow {
    bool any = true;  // a list without entries
    std::vector<AllowRange> ranges;
    // address in host order (2.0.0.5 is 0x02000005)
    bool allows(uint32_t address) const;
};

struct AllowParse {
    SenderAllow allow;
    // The entries that are neither an address nor a range, as written. They
    // let no one in: a list of nothing but bad entries allows no sender.
    std::vector<std::string> bad;
};

AllowParse parse_sender_allow(std::string_view text);

}  // namespace prismel::remote
