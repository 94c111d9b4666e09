#include "data/patch_overlap.h"

#include "data/fixture_types.h"
#include "data/show_data.h"

namespace prismel {

ChannelSpan channels_of(const PatchRecord& p) {
    if (p.start < 0 || p.start >= kDmxSlots) return {};
    return {p.start, p.start + channels_of_layout(p.layout)};
}

namespace {

bool share(const ChannelSpan& a, const ChannelSpan& b) {
    return a.first < a.end && b.first < b.end && a.first < b.end && b.first < a.end;
}

}  // namespace

int overlapped_fixture(const PatchRecord (&patch)[kFixtures], int fixture) {
    if (!valid_fixture(fixture)) return kNone;
    const ChannelSpan mine = channels_of(patch[fixture]);
    for (int f = 0; f < kFixtures; ++f)
        if (f != fixture && share(mine, channels_of(patch[f]))) return f;
    return kNone;
}

std::vector<std::pair<int, int>> patch_overlaps(const PatchRecord (&patch)[kFixtures]) {
    std::vector<std::pair<int, int>> pairs;
    for (int a = 0; a < kFixtures; ++a)
        for (int b = a + 1; b < kFixtures; ++b)
            if (share(channels_of(patch[a]), channels_of(patch[b]))) pairs.emplace_back(a, b);
    return pairs;
}

}  // namespace prismel
