#include "engine/playback_action.h"

#include "engine/show_edit.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

using Kind = PlaybackAction::Kind;

// Everything below runs inside the action's edit guard.
class Apply {
public:
    Apply(PlaybackEngine& engine, const ShowData& show) : engine_(engine), show_(show), f_(engine.fields()) {}

    ActionOutcome run(const PlaybackAction& a) {
        switch (a.kind) {
        case Kind::go: go_to(show_.cues.next_used(current_cue())); break;
        case Kind::back: go_to(show_.cues.previous_used(current_cue())); break;
        case Kind::again: go_to(current_cue()); break;
        case Kind::standby: go_to(kNone); break;
        case Kind::cue: return cue_number(a.number);
        case Kind::scene: return scene(a);
        case Kind::chase: return chase(a);
        case Kind::fkey: return fkey(a.number);
        }
        return ActionOutcome::played;
    }

private:
    int current_cue() const { return valid_cue(f_.current_cue) ? f_.current_cue : kNone; }

    void go_to(int cue) { engine_.go_to_cue(valid_cue(cue) ? cue : kNone); }

    ActionOutcome cue_number(int tenths) {
        // A number no cue can carry (the field is 16-bit) is simply not found.
        const int cue = tenths < 0 || tenths > INT16_MAX ? kNone : show_.cues.find_number(tenths);
        if (cue == kNone) return ActionOutcome::no_such_cue;
        engine_.go_to_cue(cue);
        return ActionOutcome::played;
    }

    // A call of the layer's own scene or chase gives the current cue's back,
    // or empties the layer without one.
    void take_scene_back() {
        const int cue = current_cue();
        if (cue == kNone) return engine_.call_scene(kNone, StoredDuration(0));
        const CueRecord& q = show_.cues[cue];
        engine_.call_scene(q.scene, StoredDuration(q.scene_xtime));
    }

    void take_chase_back() {
        const int cue = current_cue();
        if (cue == kNone) return engine_.start_chase(kNone, StoredDuration(kDefaultDuration), StoredDuration(0), 0);
        const CueRecord& q = show_.cues[cue];
        engine_.start_chase(q.chase, StoredDuration(q.rate), StoredDuration(q.chase_xtime), q.mode);
    }

    void toggle_scene(int scene, StoredDuration cross_time) {
        if (scene == f_.current_scene) take_scene_back();
        else engine_.call_scene(scene, cross_time);
    }

    void toggle_chase(int chase, StoredDuration rate, StoredDuration cross_time) {
        if (chase == f_.current_chase) take_chase_back();
        else engine_.start_chase(chase, rate, cross_time, 0);
    }

    ActionOutcome scene(const PlaybackAction& a) {
        if (!valid_scene(a.number)) return ActionOutcome::no_such_scene;
        const StoredDuration time =
            a.time == PlaybackAction::kRunScreenTime ? f_.scene_call_xtime : StoredDuration(a.time);
        toggle_scene(a.number, time);
        return ActionOutcome::played;
    }

    ActionOutcome chase(const PlaybackAction& a) {
        if (!valid_chase(a.number)) return ActionOutcome::no_such_chase;
        const int rate = a.time == PlaybackAction::kRunScreenTime ? kDefaultDuration : a.time;
        toggle_chase(a.number, StoredDuration(rate), StoredDuration(a.chase_cross_time));
        return ActionOutcome::played;
    }

    ActionOutcome fkey(int k) {
        if (k < 0 || k >= kFkeys) return ActionOutcome::no_such_fkey;
        const FkeyRecord& key = show_.fkeys[k];
        switch (key.type) {
        case kFkeyCue: go_to(key.target); break;
        case kFkeyScene:
            toggle_scene(valid_scene(key.target) ? key.target : kNone, StoredDuration(key.xtime));
            break;
        case kFkeyChase:
            toggle_chase(valid_chase(key.target) ? key.target : kNone, StoredDuration(key.rate),
                         StoredDuration(key.xtime));
            break;
        case kFkeyStandby: go_to(kNone); break;
        default: break;
        }
        return ActionOutcome::played;
    }

    PlaybackEngine& engine_;
    const ShowData& show_;
    EngineFields f_;
};

}  // namespace

ActionOutcome apply_playback_action(PlaybackEngine& engine, const ShowData& show, const PlaybackAction& action) {
    ShowEdit edit(engine);
    return Apply(engine, show).run(action);
}

const char* outcome_message(ActionOutcome outcome) {
    switch (outcome) {
    case ActionOutcome::played: return nullptr;
    case ActionOutcome::no_such_cue: return sj("該当するｷｭｰNo.はありません");
    case ActionOutcome::no_such_scene: return sj("該当するｼｰﾝはありません");
    case ActionOutcome::no_such_chase: return sj("該当するﾁｪｲｽはありません");
    case ActionOutcome::no_such_fkey: return sj("該当するﾌｧﾝｸｼｮﾝｷｰはありません");
    }
    return nullptr;
}

}  // namespace prismel
