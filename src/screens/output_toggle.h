#pragma once
// The "出力" (output) switch of the scene, chase and cue editors: the live
// show is parked on the engine's snapshot stack while the editor plays what
// it edits, and given back exactly as it was (fades included) when the
// switch goes off or the editor closes.
//
// The editor notes the stack's depth when it opens. While the stack is
// deeper than that, the editor's own playing (its test) is on stage.
#include <functional>

namespace prismel {

class PlaybackEngine;

class OutputToggle {
public:
    // At open: the depth to come back to.
    void note(PlaybackEngine& engine);
    // A test of this editor is on stage.
    bool testing() const;

    // Gives the show back: pops to the noted depth. True when that restored
    // something (a test was on).
    bool give_back();
    // Parks the show and plays: pushes a snapshot, then runs play.
    void park_and_play(const std::function<void()>& play);
    // The switch: gives the show back when a test was on; otherwise, when
    // `can_play`, parks the show and plays. True when a test is now on.
    bool toggle(bool can_play, const std::function<void()>& play);

private:
    PlaybackEngine* engine_ = nullptr;
    int depth_ = 0;
};

}  // namespace prismel
