// The output thread steps the console's engine flat out while the screens
// take keys and redraw on the window thread. Under ThreadSanitizer this
// shows that no screen touches what the step reads without the engine's
// guard. Each screen adds its keys to the script below.
#include <atomic>
#include <chrono>
#include <thread>

#include "runscr_fixture.h"

namespace prismel::test {
namespace {

class ScreenStress : public RunscrTest {
protected:
    // Runs `keys` over and over for the given time while another thread
    // steps g_engine; returns the number of steps taken.
    long run_against_the_step(const std::function<void(int)>& keys, int milliseconds) {
        std::atomic<bool> stop{false};
        std::atomic<long> steps{0};
        std::thread output([&] {
            DmxFrame frame{};
            while (!stop.load(std::memory_order_relaxed)) {
                g_engine.step(frame);
                steps.fetch_add(1, std::memory_order_relaxed);
            }
        });
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (int i = 0; std::chrono::steady_clock::now() < until; ++i) keys(i);
        stop = true;
        output.join();
        return steps.load();
    }
};

TEST_F(ScreenStress, RunScreenCallsAgainstTheStep) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
    set_colour(1, "A", 1, 2, 3);
    for (int sc = 0; sc < 10; ++sc) g_show.scenes[sc].colour[sc] = 1;
    set_chase(0, {1, 2, 3});
    use_cue(0, 1, 2, 0, 1);
    use_cue(1, 2, 0);
    set_fkey(0, kFkeyScene, 3, 0);
    set_fkey(1, kFkeyChase, 0, 2, 2);
    set_fkey(2, kFkeyCue, 1);
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            static const int script[] = {kKeyEnter, kKeyF1, kKeyF2, kKeyHome, kKeyF1, kKeyF2, kKeyF3,
                                         kKeyHome,  kKeyBack, kKeyDelete};
            key(script[i % 10]);
            tick();
        },
        800);
    EXPECT_GT(steps, 10);
    EXPECT_EQ(g_engine.hold_count(), 0);
}

}  // namespace
}  // namespace prismel::test
