#pragma once
// Laying the mix onto the DMX frame through the fixture patch.
#include "data/show_records.h"
#include "engine/levels.h"

namespace prismel {

// Slots a fixture of this layout uses; 0 for a layout that writes nothing.
int slots_of_layout(int layout);

// Writes every patched fixture's group in its layout's slot order, fixtures in
// index order (so where patches overlap the higher fixture wins). A fixture
// whose slots would pass the end of the frame, or with an unknown layout, is
// skipped. Slots no fixture writes keep their values.
void patch_frame(const PatchRecord (&patch)[kFixtures], const LevelBuffer& mix, DmxFrame& frame);

}  // namespace prismel
