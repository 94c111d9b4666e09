#pragma once
// One operator action that changes what is played, whoever asks for it: the
// run screen's keys, a show-control remote, a browser, a backup console
// following its primary. Every one of them ends in apply_playback_action, so
// a GO is the same GO from every source: the same cue search, the same
// scene and chase calls, all under one edit guard.
#include <cstdint>

#include "data/show_data.h"
#include "engine/playback_engine.h"

namespace prismel {

struct PlaybackAction {
    enum class Kind : uint8_t {
        go,       // the next used cue after the current one (standby after the last)
        back,     // the previous used cue (standby before the first)
        again,    // the current cue from its start (standby stays standby)
        standby,  // no cue, scene and chase off
        cue,      // the cue whose number is `number` (in tenths: 125 is cue 12.5)
        scene,    // scene `number` (0-based); its own scene again gives the cue's back
        chase,    // chase `number` (0-based); its own chase again gives the cue's back
        fkey,     // function-key preset `number` (0-9), as the run screen's preset call
    };
    Kind kind = Kind::go;
    int number = 0;
    // scene: the cross time as a stored duration; kRunScreenTime takes the
    // run screen's scene-call cross time. chase: the rate (kRunScreenTime:
    // the default of one second); chase_cross_time is its cross time.
    int time = kRunScreenTime;
    int chase_cross_time = 0;

    static constexpr int kRunScreenTime = -1;

    static PlaybackAction of(Kind k, int number = 0) { return PlaybackAction{k, number}; }
    friend bool operator==(const PlaybackAction&, const PlaybackAction&) = default;
};

enum class ActionOutcome : uint8_t {
    played,
    no_such_cue,     // no cue carries the number
    no_such_scene,   // outside scenes 1-200
    no_such_chase,   // outside chases 1-50
    no_such_fkey,    // outside F1-F10
    // Refused because there is nothing to play; nothing changes.
    no_next_cue,      // GO with no used cue after the current one, standby already
    no_previous_cue,  // BACK with no used cue before it, standby already
    no_current_cue,   // again in standby with nothing on stage
    empty_scene,      // a scene call of a scene that gives no fixture a colour
    empty_chase,      // a chase without steps
    fkey_unset,       // a preset key that was never set
    fkey_no_cue,      // a preset whose cue is gone or no longer used
    fkey_no_scene,    // a scene preset without its scene
    fkey_no_chase,    // a chase preset without its chase
};

// Applies the action to the engine under one edit guard, reading the show's
// tables inside it (safe from any thread: the editors write the tables under
// the same guard). Nothing is played unless the outcome is `played`.
ActionOutcome apply_playback_action(PlaybackEngine& engine, const ShowData& show, const PlaybackAction& action);

// What the message line says of an outcome (CP932), or nullptr for played.
const char* outcome_message(ActionOutcome outcome);

}  // namespace prismel
