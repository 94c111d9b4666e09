#include "engine/engine_mirror.h"

#include <climits>

#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "engine/show_edit.h"

namespace prismel {
namespace {

// The longest duration a show can hold, in engine steps.
constexpr EngineSteps kLongest = steps_of(StoredDuration(INT16_MAX));

bool within(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }
bool steps(int32_t v) { return within(v, 0, kLongest); }
bool weight(int32_t v) { return within(v, 0, 255); }
bool flag(uint8_t v) { return v <= 1; }

}  // namespace

bool sound_live_state(const EngineState& s) {
    const EngineFields& f = s.fields;
    const bool refs = (f.current_cue == kNone || valid_cue(f.current_cue)) &&
                      (f.current_scene == kNone || valid_scene(f.current_scene)) &&
                      (f.current_chase == kNone || valid_chase(f.current_chase));
    // A chase that plays has at least one step and stands on one of them.
    const int lowest_count = f.current_chase == kNone ? 0 : 1;
    const bool chase = within(f.step_count, lowest_count, kChaseSteps) &&
                       within(f.chase_step, 0, f.step_count > 0 ? f.step_count - 1 : 0) &&
                       within(f.chase_mode, 0, 1) && steps(f.rate) && within(f.rate_countdown, INT_MIN, kLongest) &&
                       steps(f.chase_cross_total) && within(f.chase_cross_remaining, 0, f.chase_cross_total) &&
                       weight(f.chase_out) && weight(f.chase_in);
    const bool scene = steps(f.scene_cross_total) && within(f.scene_cross_remaining, 0, f.scene_cross_total) &&
                       weight(f.scene_out) && weight(f.scene_in);
    bool fixtures = true;
    for (uint8_t in : f.fixture_in_chase) fixtures = fixtures && flag(in);
    return refs && chase && scene && fixtures && steps(f.wait_countdown) && flag(f.remote.go_request) &&
           flag(f.remote.back_request);
}

void copy_played_part(const EngineState& from, EngineState& to) {
    const EngineFields& a = from.fields;
    EngineFields& b = to.fields;
    b.current_cue = a.current_cue;
    b.wait_countdown = a.wait_countdown;
    b.current_scene = a.current_scene;
    b.scene_cross_total = a.scene_cross_total;
    b.scene_cross_remaining = a.scene_cross_remaining;
    b.scene_out = a.scene_out;
    b.scene_in = a.scene_in;
    b.current_chase = a.current_chase;
    b.step_count = a.step_count;
    b.chase_step = a.chase_step;
    b.chase_mode = a.chase_mode;
    b.rate = a.rate;
    b.rate_countdown = a.rate_countdown;
    b.chase_cross_total = a.chase_cross_total;
    b.chase_cross_remaining = a.chase_cross_remaining;
    b.chase_out = a.chase_out;
    b.chase_in = a.chase_in;
    for (int i = 0; i < kFixtures; ++i) b.fixture_in_chase[i] = a.fixture_in_chase[i];
    b.remote.go_request = a.remote.go_request;
    b.remote.back_request = a.remote.back_request;
    to.layers = from.layers;
}

EngineState PlaybackEngine::live_state() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    return snapshots_.empty() ? state_ : *snapshots_.front();
}

bool PlaybackEngine::install_live_state(const EngineState& state) {
    if (!sound_live_state(state)) return false;
    Change change(*this);
    // Under an editor's output test the live show waits in the bottom
    // snapshot: it takes the state, and the editor gives it back.
    copy_played_part(state, snapshots_.empty() ? state_ : *snapshots_.front());
    return true;
}

}  // namespace prismel
