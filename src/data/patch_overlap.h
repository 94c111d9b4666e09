#pragma once
// Fixtures that share DMX channels. The patch accepts such a start (a show
// may drive two fixtures from the same channels on purpose), but says which
// fixture it overlaps, and the show check lists every pair.
#include <utility>
#include <vector>

#include "data/show_records.h"

namespace prismel {

// The channels a patched fixture takes, 0-based and inclusive of first,
// exclusive of end; empty (first == end) for a fixture without a start in
// the universe.
struct ChannelSpan {
    int first = 0;
    int end = 0;
};
ChannelSpan channels_of(const PatchRecord& p);

// The lowest-numbered other fixture that shares a channel with `fixture`,
// or kNone.
int overlapped_fixture(const PatchRecord (&patch)[kFixtures], int fixture);

// Every pair of fixtures that share a channel, (a, b) with a < b, in order.
std::vector<std::pair<int, int>> patch_overlaps(const PatchRecord (&patch)[kFixtures]);

}  // namespace prismel
