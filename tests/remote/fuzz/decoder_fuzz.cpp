// libFuzzer target: any datagram, of any length, through the OSC reader and
// the console's addresses, and through the MIDI Show Control decoder.
#include <cstring>

#include "remote/msc_decoder.h"
#include "remote/osc_commands.h"
#include "remote/osc_packet.h"
#include "remote/sender_allow.h"

using namespace prismel;
using namespace prismel::remote;

namespace {

void check(const PlaybackAction& a) {
    // Every number an action carries is one the engine's lookups refuse or take.
    if (a.kind == PlaybackAction::Kind::cue && (a.number < -1 || a.number > 32767)) __builtin_trap();
    if (a.time != PlaybackAction::kRunScreenTime && (a.time < 0 || a.time > 1998)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exactly the received bytes, so that a read past the end is caught.
    uint8_t* copy = new uint8_t[size ? size : 1];
    if (size) std::memcpy(copy, data, size);
    for (const OscMessage& m : read_osc_packet(copy, size)) {
        const OscRequest r = osc_request(m);
        if (r.kind == OscRequest::Kind::action) check(r.action);
        if (r.kind == OscRequest::Kind::subscribe && (r.reply_port < 0 || r.reply_port > 65535)) __builtin_trap();
    }
    each_sysex(copy, size, [&](const uint8_t* m, size_t n) {
        if (m < copy || m + n > copy + size) __builtin_trap();
        if (auto a = msc_action(m, n, size ? copy[0] & 0x7F : 1)) check(*a);
    });
    if (auto a = msc_action(copy, size, 1)) check(*a);
    (void)parse_sender_allow(std::string_view(reinterpret_cast<const char*>(copy), size));
    delete[] copy;
    return 0;
}
