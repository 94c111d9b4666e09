#pragma once
// The integer crossfade shared by the scene and chase layers.
#include <cstdint>

namespace prismel {

// Weight of the old picture: remaining x 255 / total, 0 when there is no fade.
// Limited to 0-255 so that no stored state can push a level out of range.
constexpr int out_level(int remaining, int total) {
    if (total <= 0 || remaining <= 0) return 0;
    if (remaining >= total) return 255;
    return static_cast<int>(static_cast<int64_t>(remaining) * 255 / total);
}

// (from x out + to x in + 255) >> 8, limited to 255. With in = 255 it gives
// exactly `to`; with out = 255 exactly `from`.
constexpr uint8_t blend(uint8_t from, uint8_t to, int out, int in) {
    int v = (from * out + to * in + 255) >> 8;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

static_assert(blend(0, 200, 0, 255) == 200 && blend(200, 0, 255, 0) == 200);
static_assert(out_level(9, 10) == 229 && out_level(1, 10) == 25);

}  // namespace prismel
