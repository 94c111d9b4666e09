// The function-key editor's keys while the output thread steps the engine
// and a show-control remote plays the presets: the editor touches nothing
// either reads without the engine's guard.
#include <atomic>
#include <thread>

#include "editfky_fixture.h"
#include "engine/playback_action.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

class EditfkyStress : public EditfkyTest {};

TEST_F(EditfkyStress, EditingAgainstTheStepAndARemote) {
    set_chase(2, {1, 2, 3});
    use_cue(0, 1, 20, 2);
    g_engine.go_to_cue(0);
    open();
    const int keys[] = {kKeyF1, '2', kKeyDown, kKeyF2, '5', kKeyRight, kKeyShiftWheelUp, kKeyDown, kKeyF3,
                        '3', kKeyRight, kKeyRight, kKeyShiftWheelDown, kKeyF5, kKeyDelete, kKeyEnd, kKeyHome};
    constexpr int kCount = sizeof keys / sizeof keys[0];
    std::atomic<bool> stop{false};
    std::thread remote([&] {
        for (int k = 0; !stop; ++k)
            apply_playback_action(g_engine, g_show, PlaybackAction::of(PlaybackAction::Kind::fkey, k % kFkeys));
    });
    const long steps = run_against_the_step(
        [&](int i) {
            input_.enter();
            key(keys[i % kCount]);
            tick();
        },
        200);
    stop = true;
    remote.join();
    EXPECT_GT(steps, 0);
    EXPECT_TRUE(editfky_is_open());
}

}  // namespace
}  // namespace prismel::test
