// libFuzzer target: any datagram, of any length, through the reader of the
// messages between the consoles. Whatever it takes is a live show an engine
// can hold, and it writes back to the very same bytes.
#include <cstring>

#include "backup/link_message.h"
#include "engine/engine_mirror.h"

using namespace prismel;
using namespace prismel::backup;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exactly the received bytes, so that a read past the end is caught.
    uint8_t* copy = new uint8_t[size ? size : 1];
    if (size) std::memcpy(copy, data, size);
    LinkMessage m;
    if (decode_link(copy, size, m) == LinkFault::none) {
        if (m.has_playback && !sound_live_state(m.playback)) __builtin_trap();
        if (m.header.kind == LinkKind::show_part && m.part.length > kPartBytes) __builtin_trap();
        const std::vector<uint8_t> again = encode_link(m);
        if (again.size() != size || std::memcmp(again.data(), copy, size) != 0) __builtin_trap();
    }
    delete[] copy;
    return 0;
}
