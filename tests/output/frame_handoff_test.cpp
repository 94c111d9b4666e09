#include "output/frame_handoff.h"

#include <gtest/gtest.h>

#include <thread>

using namespace prismel::artnet;

// The loop puts frames as fast as it can while the other side takes them
// slowly: every frame taken is one frame as put (never a mix of two), newer
// than the last, and the newest is taken last. The thread sanitizer build
// watches the exchange.
TEST(FrameHandoff, TheOtherSideGetsWholeNewerFramesAndTheNewestLast) {
    FrameHandoff handoff;
    constexpr uint32_t kFrames = 200000;
    std::thread taker([&] {
        uint32_t last = 0;
        for (;;) {
            const FrameHandoff::Frame* f = handoff.wait_take();
            if (!f) break;
            uint32_t n;
            std::memcpy(&n, f->data(), 4);
            for (size_t i = 4; i < f->size(); ++i) ASSERT_EQ((*f)[i], uint8_t(n + i)) << "a torn frame";
            ASSERT_GT(n, last);
            last = n;
            if (n == kFrames) break;
            std::this_thread::yield();
        }
        EXPECT_EQ(last, kFrames) << "the newest frame is never lost";
    });
    FrameHandoff::Frame f{};
    for (uint32_t n = 1; n <= kFrames; ++n) {
        std::memcpy(f.data(), &n, 4);
        for (size_t i = 4; i < f.size(); ++i) f[i] = uint8_t(n + i);
        handoff.put(f.data());
    }
    taker.join();
    handoff.wake();
    EXPECT_EQ(handoff.wait_take(), nullptr) << "woken for good";
}
