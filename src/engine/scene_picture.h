#pragma once
// A scene as four levels per fixture.
#include "data/show_data.h"
#include "engine/levels.h"

namespace prismel {

enum class SizeOnly { kKept, kDropped };

// out := the picture of scene `scene`: for each fixture with a colour,
// (size, M, C, Y); without a colour, (size, 0, 0, 0) when `size_only` is kept
// and 0 otherwise. All 0 for none or an index outside the scene table.
void scene_picture(const ShowData& show, int scene, SizeOnly size_only, LevelBuffer& out);

}  // namespace prismel
