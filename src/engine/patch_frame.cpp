#include "engine/patch_frame.h"

#include "data/fixture_types.h"

namespace prismel {

int slots_of_layout(int layout) {
    return layout >= kLayoutTurbo && layout <= kLayoutColourCombo ? channels_of_layout(layout) : 0;
}

void patch_frame(const PatchRecord (&patch)[kFixtures], const LevelBuffer& mix, DmxFrame& frame) {
    for (int f = 0; f < kFixtures; ++f) {
        const int s = patch[f].start;
        const int layout = patch[f].layout;
        const int n = slots_of_layout(layout);
        if (n == 0 || s < 0 || s + n > kDmxSlots) continue;
        const uint8_t* g = group_of(mix, f);
        uint8_t* out = frame.data() + s;
        switch (layout) {
            case kLayoutTurbo:
                out[0] = g[kLevelSize];
                out[1] = g[kLevelM];
                out[2] = g[kLevelC];
                out[3] = g[kLevelY];
                break;
            case kLayoutColourFader:
                out[0] = g[kLevelY];
                out[1] = g[kLevelM];
                out[2] = g[kLevelC];
                break;
            case kLayoutScroller:
                out[0] = g[kLevelY];
                break;
            case kLayoutColourCombo:
                out[0] = g[kLevelC];
                out[1] = g[kLevelM];
                out[2] = g[kLevelY];
                out[3] = g[kLevelSize];
                break;
        }
    }
}

}  // namespace prismel
