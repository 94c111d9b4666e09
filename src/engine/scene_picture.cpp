#include "engine/scene_picture.h"

namespace prismel {

void scene_picture(const ShowData& show, int scene, SizeOnly size_only, LevelBuffer& out) {
    out.fill(0);
    if (!valid_scene(scene)) return;
    const SceneRecord& s = show.scenes[scene];
    for (int f = 0; f < kFixtures; ++f) {
        uint8_t y, m, c;
        if (show.colours.levels(s.colour[f], y, m, c)) {
            set_group(out, f, s.size[f], m, c, y);
        } else if (size_only == SizeOnly::kKept && s.size[f] > 0) {
            set_group(out, f, s.size[f], 0, 0, 0);
        }
    }
}

}  // namespace prismel
