#include "engine/playback_engine.h"

#include "engine/scene_picture.h"
#include "engine/show_edit.h"

namespace prismel {

PlaybackEngine::PlaybackEngine(ShowData& show, RemotePort& port) : show_(show), port_(port) {}

PlaybackEngine::~PlaybackEngine() = default;

void PlaybackEngine::initialise() {
    std::lock_guard<EngineMutex> lock(mutex_);
    hold_.store(1, std::memory_order_release);
    initialise_fields();
    mix_.fill(0);
    monitor_.fill(0);
    snapshots_.clear();
    if (!port_open_) {
        port_open_ = port_.open();
        if (port_open_) port_.raise_rts();
    }
    uint32_t status = 0;
    if (port_open_ && port_.read_status(status)) state_.fields.remote.arm(status);
}

void PlaybackEngine::shut_down() {
    std::vector<std::unique_ptr<EngineState>> freed;
    {
        std::lock_guard<EngineMutex> lock(mutex_);
        if (port_open_) port_.close();
        port_open_ = false;
        freed.swap(snapshots_);
    }
}

void PlaybackEngine::initialise_fields() { state_ = EngineState{}; }

// --- scene and chase layers

void PlaybackEngine::call_scene(int scene, StoredDuration cross_time) {
    Change change(*this);
    call_scene_locked(scene, cross_time);
}

void PlaybackEngine::call_scene_locked(int scene, StoredDuration cross_time) {
    EngineFields& f = state_.fields;
    LayerBuffers& b = state_.layers;
    f.current_scene = valid_scene(scene) ? scene : kNone;
    scene_picture(show_, f.current_scene, SizeOnly::kKept, b.scene_target);
    const EngineSteps steps = steps_of(cross_time);
    if (steps != 0) {
        // A new fade starts from whatever was on stage at the last step; the
        // out and in levels move at the next step.
        b.scene_from = mix_;
        f.scene_cross_total = f.scene_cross_remaining = steps;
    } else {
        f.scene_cross_total = f.scene_cross_remaining = 0;
        f.scene_out = 0;
        f.scene_in = 255;
    }
}

void PlaybackEngine::start_chase(int chase, StoredDuration rate, StoredDuration cross_time, int mode) {
    Change change(*this);
    start_chase_locked(chase, rate, cross_time, mode);
}

void PlaybackEngine::start_chase_locked(int chase, StoredDuration rate, StoredDuration cross_time, int mode) {
    start_chase_steps_locked(chase, steps_of(rate), steps_of(cross_time), mode);
}

void PlaybackEngine::start_chase_steps_locked(int chase, EngineSteps rate, EngineSteps cross_time, int mode) {
    EngineFields& f = state_.fields;
    LayerBuffers& b = state_.layers;
    f.current_chase = kNone;
    if (!valid_chase(chase)) return;
    const ChaseRecord& c = show_.chases[chase];
    const int count = step_count_of(c);
    if (count == 0) return;

    f.current_chase = chase;
    f.chase_mode = mode;
    f.rate = f.rate_countdown = rate;
    f.chase_cross_total = f.chase_cross_remaining = cross_time;
    f.step_count = count;
    f.chase_step = 0;

    for (uint8_t& in : f.fixture_in_chase) in = 0;
    for (int k = 0; k < count; ++k) {
        if (!valid_scene(c.steps[k])) continue;
        const SceneRecord& s = show_.scenes[c.steps[k]];
        for (int fx = 0; fx < kFixtures; ++fx) {
            if (valid_colour(s.colour[fx])) f.fixture_in_chase[fx] = 1;
        }
    }

    // The chase fades in from what its fixtures show now; the scene layer lets
    // go at once of every level its new target leaves at 0.
    b.chase_from.fill(0);
    for (int fx = 0; fx < kFixtures; ++fx) {
        if (!f.fixture_in_chase[fx]) continue;
        for (int l = 0; l < kLevelsPerFixture; ++l) {
            const int i = fx * kLevelsPerFixture + l;
            b.chase_from[i] = mix_[i];
            if (b.scene_target[i] == 0) b.scene_from[i] = 0;
        }
    }
    scene_picture(show_, c.steps[0], SizeOnly::kDropped, b.chase_to);
}

// --- cues

void PlaybackEngine::go_to_cue(int cue) {
    Change change(*this);
    go_to_cue_locked(cue);
}

void PlaybackEngine::go_to_cue_locked(int cue) {
    EngineFields& f = state_.fields;
    f.remote.clear_requests();
    if (valid_cue(cue)) {
        const CueRecord& r = show_.cues[cue];
        f.current_cue = cue;
        f.wait_countdown = steps_of(StoredDuration(r.wait));
        call_scene_locked(r.scene, StoredDuration(r.scene_xtime));
        start_chase_locked(r.chase, StoredDuration(r.rate), StoredDuration(r.chase_xtime), r.mode);
    } else {
        f.wait_countdown = 0;
        call_scene_locked(kNone, StoredDuration(0));
        start_chase_locked(kNone, StoredDuration(kDefaultDuration), StoredDuration(0), 0);
        f.current_cue = kNone;
    }
}

int PlaybackEngine::set_chase_rate(int chase, StoredDuration rate) {
    Change change(*this);
    EngineFields& f = state_.fields;
    if (chase == kNone || chase != f.current_chase) return 0;
    f.rate = f.rate_countdown = steps_of(rate);
    return 1;
}

int PlaybackEngine::set_chase_cross_time(int chase, StoredDuration cross_time) {
    Change change(*this);
    EngineFields& f = state_.fields;
    if (chase == kNone || chase != f.current_chase) return 0;
    f.chase_cross_total = f.chase_cross_remaining = steps_of(cross_time);
    return 1;
}

void PlaybackEngine::set_colour_preview(int colour) {
    Change change(*this);
    state_.fields.colour_preview = valid_colour(colour) ? colour : kNone;
}

// --- preview

void PlaybackEngine::set_preview_cue(int cue) {
    Change change(*this);
    EngineFields& f = state_.fields;
    f.show_running = 0;
    if (!valid_cue(cue)) {
        f.preview_cue = f.preview_scene = f.preview_chase = kNone;
        return;
    }
    const CueRecord& r = show_.cues[cue];
    f.preview_cue = cue;
    f.preview_scene = valid_scene(r.scene) ? r.scene : kNone;
    f.preview_chase = r.chase;
    f.preview_rate = steps_of(StoredDuration(r.rate));
    if (!valid_chase(r.chase) || step_count_of(show_.chases[r.chase]) == 0) {
        f.preview_chase = kNone;
    } else {
        f.preview_step = 0;
        f.preview_countdown = f.preview_rate;
    }
}

void PlaybackEngine::set_show_running() {
    Change change(*this);
    state_.fields.show_running = 1;
}

// --- run screen state

void PlaybackEngine::set_call_mode(int mode) {
    Change change(*this);
    state_.fields.call_mode = mode;
}

void PlaybackEngine::set_scene_page(int page) {
    Change change(*this);
    state_.fields.scene_page = page;
}

void PlaybackEngine::set_scene_call_xtime(StoredDuration cross_time) {
    Change change(*this);
    state_.fields.scene_call_xtime = cross_time;
}

// --- the playback journal

PlaybackRecord PlaybackEngine::live_playback() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    const EngineFields& f = snapshots_.empty() ? state_.fields : snapshots_.front()->fields;
    PlaybackRecord r;
    r.cue = valid_cue(f.current_cue) ? f.current_cue : kNone;
    r.scene = valid_scene(f.current_scene) ? f.current_scene : kNone;
    if (valid_chase(f.current_chase)) {
        r.chase = f.current_chase;
        r.chase_rate = f.rate;
        r.chase_cross_time = f.chase_cross_total;
        r.chase_mode = f.chase_mode == 1 ? 1 : 0;  // the step knows one pass and everything else
    }
    return r;
}

void PlaybackEngine::resume(const PlaybackRecord& r) {
    Change change(*this);
    EngineFields& f = state_.fields;
    f.remote.clear_requests();
    f.current_cue = valid_cue(r.cue) ? r.cue : kNone;
    f.wait_countdown = f.current_cue == kNone ? 0 : steps_of(StoredDuration(show_.cues[f.current_cue].wait));
    call_scene_locked(r.scene, StoredDuration(0));
    start_chase_steps_locked(r.chase, r.chase_rate < 0 ? 0 : r.chase_rate,
                             r.chase_cross_time < 0 ? 0 : r.chase_cross_time, r.chase_mode);
    f.chase_cross_remaining = 0;
}

// --- reading

EngineFields PlaybackEngine::fields() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    return state_.fields;
}

LevelBuffer PlaybackEngine::monitor() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    return monitor_;
}

LayerBuffers PlaybackEngine::layers() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    return state_.layers;
}

}  // namespace prismel
