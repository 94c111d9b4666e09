#include "engine/playback_action.h"

#include "engine/show_edit.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

using Kind = PlaybackAction::Kind;

// The record is packed: its fields are read by value, never bound to.
bool lights_something(const SceneRecord& scene) {
    for (int f = 0; f < kFixtures; ++f)
        if (valid_colour(scene.colour[f])) return true;
    return false;
}

// Everything below runs inside the action's edit guard.
class Apply {
public:
    Apply(PlaybackEngine& engine, const ShowData& show) : engine_(engine), show_(show), f_(engine.fields()) {}

    ActionOutcome run(const PlaybackAction& a) {
        switch (a.kind) {
        case Kind::go: return step_to(show_.cues.next_used(current_cue()), ActionOutcome::no_next_cue);
        case Kind::back: return step_to(show_.cues.previous_used(current_cue()), ActionOutcome::no_previous_cue);
        case Kind::again: return step_to(current_cue(), ActionOutcome::no_current_cue);
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

    // Standby from standby, with nothing called on stage, would change
    // nothing: that is said rather than done.
    bool all_standby() const {
        return current_cue() == kNone && !valid_scene(f_.current_scene) && !valid_chase(f_.current_chase);
    }

    ActionOutcome step_to(int cue, ActionOutcome when_nothing) {
        if (!valid_cue(cue) && all_standby()) return when_nothing;
        go_to(cue);
        return ActionOutcome::played;
    }

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

    // The layer's own scene again takes it back; a scene that would light
    // nothing is refused rather than darkening the stage.
    ActionOutcome toggle_scene(int scene, StoredDuration cross_time) {
        if (scene == f_.current_scene) take_scene_back();
        else if (!lights_something(show_.scenes[scene])) return ActionOutcome::empty_scene;
        else engine_.call_scene(scene, cross_time);
        return ActionOutcome::played;
    }

    ActionOutcome toggle_chase(int chase, StoredDuration rate, StoredDuration cross_time) {
        if (chase == f_.current_chase) take_chase_back();
        else if (step_count_of(show_.chases[chase]) == 0) return ActionOutcome::empty_chase;
        else engine_.start_chase(chase, rate, cross_time, 0);
        return ActionOutcome::played;
    }

    ActionOutcome scene(const PlaybackAction& a) {
        if (!valid_scene(a.number)) return ActionOutcome::no_such_scene;
        const StoredDuration time =
            a.time == PlaybackAction::kRunScreenTime ? f_.scene_call_xtime : StoredDuration(a.time);
        return toggle_scene(a.number, time);
    }

    ActionOutcome chase(const PlaybackAction& a) {
        if (!valid_chase(a.number)) return ActionOutcome::no_such_chase;
        const int rate = a.time == PlaybackAction::kRunScreenTime ? kDefaultDuration : a.time;
        return toggle_chase(a.number, StoredDuration(rate), StoredDuration(a.chase_cross_time));
    }

    ActionOutcome fkey(int k) {
        if (k < 0 || k >= kFkeys) return ActionOutcome::no_such_fkey;
        const FkeyRecord& key = show_.fkeys[k];
        switch (key.type) {
        case kFkeyCue:
            // A cue that holds nothing would darken the stage: the preset
            // points at a cue that is gone.
            if (!valid_cue(key.target) || !show_.cues.is_used(key.target)) return ActionOutcome::fkey_no_cue;
            go_to(key.target);
            return ActionOutcome::played;
        case kFkeyScene:
            if (!valid_scene(key.target)) return ActionOutcome::fkey_no_scene;
            return toggle_scene(key.target, StoredDuration(key.xtime));
        case kFkeyChase:
            if (!valid_chase(key.target)) return ActionOutcome::fkey_no_chase;
            return toggle_chase(key.target, StoredDuration(key.rate), StoredDuration(key.xtime));
        case kFkeyStandby: go_to(kNone); return ActionOutcome::played;
        default: return ActionOutcome::fkey_unset;
        }
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
    case ActionOutcome::no_next_cue: return sj("次のキューがありません");
    case ActionOutcome::no_previous_cue: return sj("前のキューがありません");
    case ActionOutcome::no_current_cue: return sj("実行中のキューがありません");
    case ActionOutcome::empty_scene: return sj("色のないシーンは呼び出せません");
    case ActionOutcome::empty_chase: return sj("ステップのないチェイスは開始できません");
    case ActionOutcome::fkey_unset: return sj("このファンクションキーは未設定です");
    case ActionOutcome::fkey_no_cue: return sj("プリセットのキューがありません");
    case ActionOutcome::fkey_no_scene: return sj("プリセットのシーンがありません");
    case ActionOutcome::fkey_no_chase: return sj("プリセットのチェイスがありません");
    }
    return nullptr;
}

}  // namespace prismel
