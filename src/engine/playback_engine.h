#pragma once
// The playback engine: one cue at a time, a scene layer and a chase layer on
// top, a preview that never touches the output, a colour preview over
// everything, and a snapshot stack that lets the editors play something and
// give the live show back exactly.
//
// The output thread calls step() once per 20 ms frame; everything else comes
// from the main thread. Two guards keep them apart:
//  - the hold counter: raised by every operation that changes what is played
//    (and by callers around a group of operations or an edit of the tables,
//    see ShowEdit); a step that finds it raised leaves the frame as it was;
//  - a mutex held by the step for its whole run and by each operation while it
//    changes the state, so no step ever renders a half-changed state. It is
//    recursive so that an edit of the show's tables (ShowEdit, show_edit.h)
//    can hold it around engine operations as well, and it lends the output
//    thread's priority to a holder it waits for (engine_mutex.h).
// The step allocates nothing; push_snapshot allocates on the calling thread
// before it takes the mutex.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "data/show_data.h"
#include "engine/duration.h"
#include "engine/engine_mutex.h"
#include "engine/engine_state.h"
#include "engine/levels.h"
#include "engine/playback_journal.h"
#include "platform/remote_port.h"

namespace prismel {

class ShowEdit;
class ShowRead;

class PlaybackEngine {
public:
    PlaybackEngine(ShowData& show, RemotePort& port);
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // Every field to its initial value, the remote port opened (RTS raised when
    // it opened), the snapshot stack emptied; leaves the hold counter at 1.
    void initialise();
    // Closes the remote port (if it opened) and frees every snapshot.
    void shut_down();

    // --- what is played (each raises the hold counter for its duration)
    void call_scene(int scene, StoredDuration cross_time);
    void start_chase(int chase, StoredDuration rate, StoredDuration cross_time, int mode);
    // A cue, or none (kNone, or any index outside the cue list) for standby.
    // Clears any pending GO or BACK request, so a GO that fell due just
    // before cannot skip the cue chosen here.
    void go_to_cue(int cue);
    // The running chase takes a new rate / cross time when `chase` is the
    // current chase; 1 when it did, 0 otherwise.
    int set_chase_rate(int chase, StoredDuration rate);
    int set_chase_cross_time(int chase, StoredDuration cross_time);
    // A colour shown on all fixtures with size 0, or kNone to stop.
    void set_colour_preview(int colour);

    // --- preview (display only)
    void set_preview_cue(int cue);
    void set_show_running();  // back from the preview to the running display

    // --- run screen state kept with the engine
    void set_call_mode(int mode);
    void set_scene_page(int page);
    void set_scene_call_xtime(StoredDuration cross_time);

    // --- snapshots
    void push_snapshot();
    // -1: restore and remove the top one. d >= 0: remove down to d snapshots
    // and restore the one that was at position d from the bottom. 0 (nothing
    // changed) when the stack holds too few.
    int pop_snapshot(int depth);
    int snapshot_depth() const;

    // --- hold counter
    void hold() {
        hold_.fetch_add(1, std::memory_order_acq_rel);
        changes_.fetch_add(1, std::memory_order_relaxed);
    }
    void release() { hold_.fetch_sub(1, std::memory_order_acq_rel); }
    int hold_count() const { return hold_.load(std::memory_order_acquire); }
    // Counts every raise of the hold: it moves whenever something may have
    // changed what is played (an operation, a GO served by the step, an
    // edit of the tables), so a watcher can tell a moved look from time
    // going by without reading the state.
    uint64_t changes() const { return changes_.load(std::memory_order_relaxed); }

    // --- the playback journal
    // What the live show plays: the engine's own state or, while an editor
    // plays something for checking (snapshots on the stack), the show it
    // will give back, the bottom snapshot's.
    PlaybackRecord live_playback() const;
    // A journal's record as the live show, on the stage from the next step:
    // the cue current (its wait time counted again from now), the scene layer
    // in full, the chase from its first step at its rate, that step in full
    // at once and the later ones crossfaded with its own cross time.
    void resume(const PlaybackRecord& record);

    // --- a backup console following this one (engine_mirror.cpp)
    // The live show's whole state: the engine's own or, while an editor
    // plays something for checking, the bottom snapshot's.
    EngineState live_state() const;
    // Another console's live state as this one's live show, from the next
    // step: what the steps move on (cue, wait, both layers with their fades
    // and buffers, a pending GO or BACK), not what belongs to this console's
    // screens (call mode, page, scene-call time, previews, colour preview,
    // the remote lines). False, and nothing changes, for a state no engine
    // can be in (sound_live_state).
    bool install_live_state(const EngineState& state);

    // --- reading the state (consistent copies, taken under the mutex)
    EngineFields fields() const;
    LevelBuffer monitor() const;
    LayerBuffers layers() const;

    // The engine step: remote inputs, wait time, then (unless held) preview,
    // scene layer, chase layer, colour preview, patch and monitor copy.
    void step(DmxFrame& frame);

private:
    friend class ShowEdit;
    friend class ShowRead;
class ShowRead;
    // Every operation runs under the guard of an edit of the tables: the
    // mutex taken, the hold raised for its life.
    using Change = ShowEdit;

    void initialise_fields();
    void call_scene_locked(int scene, StoredDuration cross_time);
    void start_chase_locked(int chase, StoredDuration rate, StoredDuration cross_time, int mode);
    void start_chase_steps_locked(int chase, EngineSteps rate, EngineSteps cross_time, int mode);
    void go_to_cue_locked(int cue);

    void serve_remote();
    void count_wait();
    void advance_preview();
    void mix_scene_layer();
    void mix_chase_layer();
    void advance_chase();
    void apply_colour_preview();

    ShowData& show_;
    RemotePort& port_;
    bool port_open_ = false;

    mutable EngineMutex mutex_;
    std::atomic<int> hold_{1};
    std::atomic<uint64_t> changes_{0};
    EngineState state_;
    LevelBuffer mix_{};
    LevelBuffer monitor_{};
    std::vector<std::unique_ptr<EngineState>> snapshots_;
};

// The program's engine, playing g_show with the machine's remote port.
extern PlaybackEngine g_engine;

// The step hook for the output thread: g_engine's step on `frame`.
void engine_step(DmxFrame& frame);

}  // namespace prismel
