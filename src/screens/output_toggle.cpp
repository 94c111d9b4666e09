#include "screens/output_toggle.h"

#include "engine/show_edit.h"

namespace prismel {

void OutputToggle::note(PlaybackEngine& engine) {
    engine_ = &engine;
    depth_ = engine.snapshot_depth();
}

bool OutputToggle::testing() const { return engine_ && engine_->snapshot_depth() > depth_; }

bool OutputToggle::give_back() {
    if (!engine_) return false;
    ShowEdit edit(*engine_);
    return engine_->pop_snapshot(depth_) != 0;
}

void OutputToggle::park_and_play(const std::function<void()>& play) {
    if (!engine_) return;
    // One change for the step: it renders the show or the test, never the
    // moment between.
    ShowEdit edit(*engine_);
    engine_->push_snapshot();
    if (play) play();
}

bool OutputToggle::toggle(bool can_play, const std::function<void()>& play) {
    if (!engine_) return false;
    ShowEdit edit(*engine_);  // the guard is re-entrant: one change for the step
    if (give_back() || !can_play) return false;
    park_and_play(play);
    return true;
}

}  // namespace prismel
