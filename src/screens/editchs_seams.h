#pragma once
// What the chase editor opens on top of itself besides the reference lists:
// the scene editor, on F5 over a step. Tests install a recording one.
#include <functional>

namespace prismel {

struct ChwWindow;

struct EditchsSeams {
    // Opens the scene editor above `parent` showing `scene` (kNone for a
    // step without a scene). Unset: the scene editor itself.
    std::function<void(int scene, ChwWindow* parent)> open_scene_editor;
};

EditchsSeams& editchs_seams();

}  // namespace prismel
