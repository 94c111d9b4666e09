// The playback actions as every source applies them: what each one leaves in
// the engine, from standby and from a running cue, and what is refused.
#include "engine/playback_action.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace prismel::test {
namespace {

using Kind = PlaybackAction::Kind;

class PlaybackActionTest : public EngineTest {
protected:
    PlaybackActionTest() {
        cue(0).number = 10;   // cue 1: scene 0, chase 0
        cue(1).number = 125;  // cue 12.5: scene 1
        set_cue(0, 0, 0, 0);
        set_cue(1, 1, 0);
        for (int i = 2; i < kCues; ++i) cue(i).number = 0;  // unused
        set_chase(0, {2, 3});
        set_chase(1, {3});
        show().fkeys[0].type = kFkeyScene;
        show().fkeys[0].target = 4;
        show().fkeys[1].type = kFkeyChase;
        show().fkeys[1].target = 1;
        for (int sc : {1, 4, 5, 6}) light(sc, 0, 1, 255);
    }
    ActionOutcome apply(PlaybackAction a) { return apply_playback_action(engine_, show(), a); }
};

TEST_F(PlaybackActionTest, EachActionFromStandbyAndFromCueOne) {
    struct Case {
        const char* what;
        bool from_cue_one;
        PlaybackAction action;
        ActionOutcome outcome;
        int cue, scene, chase;
    };
    PlaybackAction scene5 = PlaybackAction::of(Kind::scene, 5);
    PlaybackAction chase1 = PlaybackAction::of(Kind::chase, 1);
    const Case cases[] = {
        {"GO from standby", false, PlaybackAction::of(Kind::go), ActionOutcome::played, 0, 0, 0},
        {"GO from cue 1", true, PlaybackAction::of(Kind::go), ActionOutcome::played, 1, 1, kNone},
        {"BACK from cue 1", true, PlaybackAction::of(Kind::back), ActionOutcome::played, kNone, kNone, kNone},
        {"again on cue 1", true, PlaybackAction::of(Kind::again), ActionOutcome::played, 0, 0, 0},
        {"standby", true, PlaybackAction::of(Kind::standby), ActionOutcome::played, kNone, kNone, kNone},
        {"cue 12.5", false, PlaybackAction::of(Kind::cue, 125), ActionOutcome::played, 1, 1, kNone},
        {"cue 7 is missing", true, PlaybackAction::of(Kind::cue, 70), ActionOutcome::no_such_cue, 0, 0, 0},
        {"cue past 16 bits", true, PlaybackAction::of(Kind::cue, 40000), ActionOutcome::no_such_cue, 0, 0, 0},
        {"scene 6", true, scene5, ActionOutcome::played, 0, 5, 0},
        {"its own scene gives the cue's back", true, PlaybackAction::of(Kind::scene, 0), ActionOutcome::played, 0,
         0, 0},
        {"scene 201", true, PlaybackAction::of(Kind::scene, 200), ActionOutcome::no_such_scene, 0, 0, 0},
        {"chase 2", true, chase1, ActionOutcome::played, 0, 0, 1},
        {"its own chase gives the cue's back", true, PlaybackAction::of(Kind::chase, 0), ActionOutcome::played, 0,
         0, 0},
        {"chase 0", true, PlaybackAction::of(Kind::chase, -1), ActionOutcome::no_such_chase, 0, 0, 0},
        {"F1 calls scene 5", true, PlaybackAction::of(Kind::fkey, 0), ActionOutcome::played, 0, 4, 0},
        {"F2 starts chase 2", false, PlaybackAction::of(Kind::fkey, 1), ActionOutcome::played, kNone, kNone, 1},
        {"F11", true, PlaybackAction::of(Kind::fkey, 10), ActionOutcome::no_such_fkey, 0, 0, 0},
        // Refused: nothing to play, and the stage stays as it is (the run
        // screen's keys hold the rest of the refusals).
        {"chase 3 has no steps", true, PlaybackAction::of(Kind::chase, 2), ActionOutcome::empty_chase, 0, 0, 0},
        {"BACK in standby", false, PlaybackAction::of(Kind::back), ActionOutcome::no_previous_cue, kNone, kNone,
         kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine_.go_to_cue(c.from_cue_one ? 0 : kNone);
        EXPECT_EQ(apply(c.action), c.outcome);
        const EngineFields f = fields();
        EXPECT_EQ(f.current_cue, c.cue);
        EXPECT_EQ(f.current_scene, c.scene);
        EXPECT_EQ(f.current_chase, c.chase);
        EXPECT_EQ(outcome_message(c.outcome) == nullptr, c.outcome == ActionOutcome::played);
    }
}

TEST_F(PlaybackActionTest, SceneCrossTimeIsTheActionsOrTheRunScreens) {
    engine_.set_scene_call_xtime(sd(40));
    apply(PlaybackAction::of(Kind::scene, 5));
    EXPECT_EQ(fields().scene_cross_total, steps_of(sd(40)));
    PlaybackAction timed = PlaybackAction::of(Kind::scene, 6);
    timed.time = 10;
    apply(timed);
    EXPECT_EQ(fields().scene_cross_total, steps_of(sd(10)));
}

}  // namespace
}  // namespace prismel::test
