// The engine step, run by the output thread once per frame. Nothing here
// allocates: every buffer is a fixed array of the engine.
#include <climits>

#include "engine/crossfade.h"
#include "engine/patch_frame.h"
#include "engine/playback_engine.h"
#include "engine/scene_picture.h"

namespace prismel {

void PlaybackEngine::step(DmxFrame& frame) {
    std::lock_guard<EngineMutex> lock(mutex_);
    serve_remote();
    count_wait();
    if (hold_count() != 0) return;  // the frame keeps its previous contents
    advance_preview();
    mix_.fill(0);
    mix_scene_layer();
    mix_chase_layer();
    apply_colour_preview();
    patch_frame(show_.patch, mix_, frame);
    monitor_ = mix_;
}

void PlaybackEngine::serve_remote() {
    RemoteLines& lines = state_.fields.remote;
    uint32_t status = 0;
    if (port_open_ && port_.read_status(status)) lines.update(status);
    // Both requests are taken before either is served: serving GO must not
    // swallow a BACK fired in the same step.
    const bool go = lines.go_request;
    const bool back = lines.back_request;
    lines.clear_requests();
    if (go) {
        hold();
        go_to_cue_locked(show_.cues.next_used(state_.fields.current_cue));
        release();
    }
    if (back) {
        hold();
        go_to_cue_locked(show_.cues.previous_used(state_.fields.current_cue));
        release();
    }
}

void PlaybackEngine::count_wait() {
    EngineFields& f = state_.fields;
    if (f.wait_countdown <= 0) return;
    if (--f.wait_countdown == 0) f.remote.go_request = 1;
}

void PlaybackEngine::advance_preview() {
    EngineFields& f = state_.fields;
    if (f.show_running || f.preview_chase == kNone || f.preview_countdown <= 0) return;
    if (--f.preview_countdown != 0) return;
    const int count = valid_chase(f.preview_chase) ? step_count_of(show_.chases[f.preview_chase]) : 0;
    if (count == 0) {
        f.preview_chase = kNone;
        return;
    }
    f.preview_step = (f.preview_step + 1) % count;
    f.preview_countdown = f.preview_rate;
}

void PlaybackEngine::mix_scene_layer() {
    EngineFields& f = state_.fields;
    LayerBuffers& b = state_.layers;
    if (f.current_scene == kNone) {
        b.scene_output.fill(0);
        return;
    }
    if (f.scene_cross_remaining > 0) {
        --f.scene_cross_remaining;
        f.scene_out = out_level(f.scene_cross_remaining, f.scene_cross_total);
        f.scene_in = 255 - f.scene_out;
    }
    const int out = f.scene_out, in = f.scene_in;
    for (int i = 0; i < kLevelCount; ++i) {
        const uint8_t v = blend(b.scene_from[i], b.scene_target[i], out, in);
        mix_[i] = v;
        b.scene_output[i] = v;
    }
}

void PlaybackEngine::advance_chase() {
    EngineFields& f = state_.fields;
    LayerBuffers& b = state_.layers;
    if (f.rate == 0) return;
    if (f.rate_countdown > INT_MIN) --f.rate_countdown;
    if (f.rate_countdown != 0) return;
    if (f.chase_mode == 1 && f.chase_step == f.step_count - 1) return;  // one pass: hold the last step
    if (f.step_count <= 0) return;
    f.chase_step = (f.chase_step + 1) % f.step_count;
    f.rate_countdown = f.rate;
    f.chase_cross_remaining = f.chase_cross_total;
    b.chase_from = f.chase_cross_total == f.rate ? b.chase_to : b.chase_output;
    const int scene = valid_chase(f.current_chase) && f.chase_step < kChaseSteps
                          ? show_.chases[f.current_chase].steps[f.chase_step]
                          : kNone;
    scene_picture(show_, scene, SizeOnly::kKept, b.chase_to);
}

void PlaybackEngine::mix_chase_layer() {
    EngineFields& f = state_.fields;
    LayerBuffers& b = state_.layers;
    if (f.current_chase == kNone) {
        b.chase_output.fill(0);
        return;
    }
    if (f.chase_cross_remaining > 0) --f.chase_cross_remaining;
    advance_chase();
    f.chase_out = out_level(f.chase_cross_remaining, f.chase_cross_total);
    f.chase_in = 255 - f.chase_out;
    const int out = f.chase_out, in = f.chase_in;
    for (int fx = 0; fx < kFixtures; ++fx) {
        if (!f.fixture_in_chase[fx]) continue;
        uint8_t* m = group_of(mix_, fx);
        uint8_t* o = group_of(b.chase_output, fx);
        // A fixture the scene layer lights stays the scene's.
        if (m[0] | m[1] | m[2] | m[3]) {
            o[0] = o[1] = o[2] = o[3] = 0;
            continue;
        }
        const uint8_t* from = group_of(b.chase_from, fx);
        const uint8_t* to = group_of(b.chase_to, fx);
        for (int l = 0; l < kLevelsPerFixture; ++l) o[l] = m[l] = blend(from[l], to[l], out, in);
    }
}

void PlaybackEngine::apply_colour_preview() {
    uint8_t y, m, c;
    if (!show_.colours.levels(state_.fields.colour_preview, y, m, c)) return;
    for (int fx = 0; fx < kFixtures; ++fx) set_group(mix_, fx, 0, m, c, y);
}

}  // namespace prismel
