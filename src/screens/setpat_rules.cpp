#include "screens/setpat_rules.h"

#include "data/fixture_types.h"
#include "data/show_data.h"

namespace prismel {

int shown_layout(int layout) { return layout >= kLayoutTurbo && layout <= kLayoutColourCombo ? layout : kLayoutColourFader; }

bool is_patched(const PatchRecord& p) { return p.start >= 0 && p.start < kDmxSlots; }

TypedStartRange typed_start_range(int layout) { return {1, kDmxSlots - channels_of_layout(layout) + 1}; }

ContinueResult continue_start(const PatchTable& patch, int fixture) {
    if (!valid_fixture(fixture)) return {Continuation::kNothing, kNone};
    int start = 0;
    if (fixture > 0) {
        const PatchRecord& before = patch[fixture - 1];
        if (!is_patched(before)) return {Continuation::kNothing, kNone};
        start = before.start + channels_of_layout(before.layout);
    }
    // The fixture's own channels must fit too: the engine would never
    // output one that runs past the last slot.
    if (start + channels_of_layout(patch[fixture].layout) > kDmxSlots) return {Continuation::kBeyond, start};
    return {Continuation::kStart, start};
}

int clash_at(const PatchTable& patch, int fixture, int start) {
    for (int f = 0; f < kFixtures; ++f) {
        if (f == fixture || !is_patched(patch[f])) continue;
        const int s = patch[f].start;
        if (s <= start && start < s + channels_of_layout(patch[f].layout)) return f;
    }
    return kNone;
}

PatchRecord retyped(const PatchRecord& p, int layout) {
    return {static_cast<int16_t>(shown_layout(layout)), p.start};
}

PatchRecord placed(const PatchRecord& p, int start) {
    return {static_cast<int16_t>(shown_layout(p.layout)), static_cast<int16_t>(start)};
}

PatchRecord unpatched(const PatchRecord& p) { return {static_cast<int16_t>(shown_layout(p.layout)), kNone}; }

}  // namespace prismel
