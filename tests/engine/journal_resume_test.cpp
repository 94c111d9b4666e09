// What the journal records of the engine and what a start makes of it: the
// live show (never an editor's test), and a resumed show that is on the
// stage in full from its first step and then plays as the show it was taken
// from.
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"
#include "engine_fixture.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

class JournalResume : public UniformShowTest {
protected:
    JournalResume() {
        // Scene 10 lights the first half, scenes 11-13 the second half.
        for (int f = 0; f < kFixtures; ++f) {
            light(10, f, f < 32 ? 1 : kNone, f < 32 ? 200 : 0);
            light(11 + f % 3, f, f < 32 ? kNone : 2 + f % 3, f < 32 ? 0 : 250);
        }
        set_chase(0, {1, 2, 3});
        set_chase(1, {11, 12, 13});
        set_cue(0, 0, 40);                  // a scene with a long fade
        set_cue(1, kNone, 0, 0, 10, 4);     // a chase alone, crossfading
        set_cue(2, 10, 4, 1, 8, 3, 1, 40);  // scene and one-pass chase, on to cue 4 after a wait
        set_cue(3, 2, 0);
        for (int i = 0; i < 4; ++i) cue(i).number = static_cast<int16_t>(10 * (i + 1));
    }
};

TEST_F(JournalResume, TheLiveRecordIsTheShowAnEditorGivesBack) {
    engine_.go_to_cue(2);
    const PlaybackRecord live = engine_.live_playback();
    EXPECT_EQ(live, (PlaybackRecord{2, 10, 1, steps_of(sd(8)), steps_of(sd(3)), 1}));
    engine_.push_snapshot();  // an editor's output test
    engine_.start_chase(0, sd(2), sd(0), 0);
    EXPECT_EQ(engine_.live_playback(), live);
    engine_.pop_snapshot(0);
    engine_.set_chase_rate(1, sd(30));  // the chase editor on the running chase
    EXPECT_EQ(engine_.live_playback().chase_rate, steps_of(sd(30)));
}

// The resumed engine against one that played the cue from the start: the
// resumed one shows the settled look at its first step, and from the step at
// which the other's fades are over the two are alike, wait time included.
TEST_F(JournalResume, AResumedShowIsSettledAtOnceAndThenPlaysOn) {
    const struct {
        int cue;
        int settle;  // steps until the reference's fades are over, before its chase moves on
    } cases[] = {{0, 100}, {1, 10}, {2, 10}, {kNone, 1}};
    for (const auto& c : cases) {
        SimulatedRemotePort port_a, port_b;
        PlaybackEngine reference(show(), port_a), resumed(show(), port_b);
        for (PlaybackEngine* e : {&reference, &resumed}) {
            e->initialise();
            e->release();
        }
        reference.go_to_cue(c.cue);
        resumed.resume(reference.live_playback());
        DmxFrame a{}, b{};
        resumed.step(b);
        const LevelBuffer first = resumed.monitor();
        for (int i = 1; i < 300; ++i) {
            reference.step(a);
            if (i == c.settle) {
                EXPECT_EQ(reference.monitor(), first) << "cue " << c.cue;
            }
            if (i >= c.settle) {
                EXPECT_EQ(reference.monitor(), resumed.monitor()) << "cue " << c.cue << " step " << i;
                EXPECT_EQ(reference.fields().current_cue, resumed.fields().current_cue) << c.cue << " " << i;
            }
            resumed.step(b);
        }
        for (PlaybackEngine* e : {&reference, &resumed}) e->shut_down();
    }
}

// The keeper reads the engine while the output thread steps it and the
// window thread plays cue after cue; every frame stays whole, and the end
// leaves the last cue marked clean.
TEST_F(JournalResume, TheKeeperFollowsTheEngineWhileItPlays) {
    for (int i = 0; i < 4; ++i) set_cue(i, i, 0);
    TempDir dir;
    JournalKeeper keeper(engine_, dir.file("prismel.JNL"));
    keeper.start(1, 0);
    const StressResult r = stress_against_step(engine_, [&](int i) { engine_.go_to_cue(i % 4); }, 300, 1L << 40);
    expect_clean_stress(r, engine_);
    EXPECT_GT(keeper.writes(), 1u);
    EXPECT_TRUE(keeper.close_cleanly());
    const JournalStart next = read_journal_at_start(dir.file("prismel.JNL"), 1);
    EXPECT_EQ(next.kind, JournalStart::Kind::clean);
    EXPECT_EQ(next.entry.playback.cue, static_cast<int>((r.calls - 1) % 4));
}

}  // namespace
}  // namespace prismel::test
