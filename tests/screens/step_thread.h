#pragma once
// The output thread's part in a screen test: g_engine stepped flat out on
// another thread while the test thread presses keys and redraws. Under
// ThreadSanitizer this shows that no screen touches what the step reads
// without the engine's guard.
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "engine/playback_engine.h"

namespace prismel::test {

// Calls keys(0), keys(1), ... for `milliseconds` while another thread steps
// g_engine; returns the number of steps taken meanwhile.
inline long run_against_the_step(const std::function<void(int)>& keys, int milliseconds) {
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

}  // namespace prismel::test
