// Which fixtures share DMX channels: the rule behind the patch editor's
// message and the show check's warnings.
#include "data/patch_overlap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/fixture_types.h"

namespace prismel::test {
namespace {

TEST(PatchOverlap, AFixtureOverlapsTheFirstFixtureItSharesAChannelWith) {
    struct Placed {
        int fixture, layout, start;
    };
    struct Case {
        const char* what;
        std::vector<Placed> patch;
        int asked, overlapped;
    };
    const Case cases[] = {
        {"adjacent ranges", {{0, kLayoutTurbo, 0}, {1, kLayoutColourFader, 4}}, 1, kNone},
        {"the last channel of one is the first of the other",
         {{0, kLayoutTurbo, 0}, {1, kLayoutColourFader, 3}}, 1, 0},
        {"a range that runs over another's start", {{5, kLayoutColourCombo, 10}, {2, kLayoutScroller, 12}}, 5, 2},
        {"the lowest of two is named", {{9, kLayoutTurbo, 20}, {7, kLayoutScroller, 23}, {3, kLayoutScroller, 21}},
         9, 3},
        {"a damaged layout counts three channels", {{0, 77, 0}, {1, kLayoutScroller, 2}}, 0, 1},
        {"a start outside the universe takes no channel", {{0, kLayoutTurbo, 700}, {1, kLayoutTurbo, -5}}, 0, kNone},
        {"an unpatched fixture", {{0, kLayoutTurbo, kNone}}, 0, kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PatchRecord patch[kFixtures];
        for (PatchRecord& p : patch) p = {kLayoutTurbo, kNone};
        for (const Placed& p : c.patch)
            patch[p.fixture] = {static_cast<int16_t>(p.layout), static_cast<int16_t>(p.start)};
        EXPECT_EQ(overlapped_fixture(patch, c.asked), c.overlapped);
        // Each pair once, whichever fixture is asked.
        const auto pairs = patch_overlaps(patch);
        const bool listed = c.overlapped != kNone &&
                            std::find(pairs.begin(), pairs.end(),
                                      std::pair(std::min(c.asked, c.overlapped), std::max(c.asked, c.overlapped))) !=
                                pairs.end();
        EXPECT_EQ(listed, c.overlapped != kNone);
    }
}

}  // namespace
}  // namespace prismel::test
