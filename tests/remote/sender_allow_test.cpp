// OscAllow: which senders an allow list lets in.
#include <gtest/gtest.h>

#include "remote/sender_allow.h"

namespace prismel::remote {
namespace {

constexpr uint32_t ip(int a, int b, int c, int d) { return uint32_t(a) << 24 | b << 16 | c << 8 | d; }

TEST(SenderAllow, ListsAndWhoTheyLetIn) {
    const uint32_t near = ip(2, 0, 0, 5), far = ip(10, 1, 2, 3);
    const struct {
        const char* list;
        bool near_in, far_in;
        std::vector<std::string> bad;
    } cases[] = {
        {"", true, true, {}},
        {"  ,  ", true, true, {}},
        {"2.0.0.5", true, false, {}},
        {" 2.0.0.5 , 10.1.2.3 ", true, true, {}},
        {"2.0.0.0/8", true, false, {}},
        {"2.9.9.9/8", true, false, {}},  // host bits past the prefix do not matter
        {"0.0.0.0/0", true, true, {}},
        {"10.1.2.0/24,2.0.0.6/31", false, true, {}},
        {"2.0.0.6", false, false, {}},
        {"2.0.0.5/33", false, false, {"2.0.0.5/33"}},
        {"2.0.0", false, false, {"2.0.0"}},
        {"2.0.0.256", false, false, {"2.0.0.256"}},
        {"host.example", false, false, {"host.example"}},
        {"0002.0.0.5", false, false, {"0002.0.0.5"}},
        {"2.0.0.5, nonsense", true, false, {"nonsense"}},
    };
    for (const auto& c : cases) {
        const AllowParse p = parse_sender_allow(c.list);
        EXPECT_EQ(p.allow.allows(near), c.near_in) << c.list;
        EXPECT_EQ(p.allow.allows(far), c.far_in) << c.list;
        EXPECT_EQ(p.bad, c.bad) << c.list;
    }
}

}  // namespace
}  // namespace prismel::remote
