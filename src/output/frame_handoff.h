#pragma once
// The newest frame, handed from the output loop to a thread that may block
// (three buffers, exchanged through one atomic word). The loop never waits;
// frames the other side had no time for are replaced, never queued.
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace prismel::artnet {

class FrameHandoff {
public:
    using Frame = std::array<uint8_t, 512>;

    // The loop's side: a new newest frame.
    void put(const uint8_t* slots) {
        std::memcpy(buffers_[back_].data(), slots, 512);
        back_ = middle_.exchange(uint8_t(back_ | kFresh), std::memory_order_acq_rel) & kIndex;
        puts_.fetch_add(1, std::memory_order_release);
        puts_.notify_one();
    }

    // A frame put is waiting to be taken.
    bool pending() const { return middle_.load(std::memory_order_acquire) & kFresh; }

    // The other side: the newest frame put since the last take, or nullptr.
    // It stays valid until the next take.
    const Frame* take() {
        if (!(middle_.load(std::memory_order_acquire) & kFresh)) return nullptr;
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndex;
        return &buffers_[front_];
    }
    // Waits until a frame is put, then takes it; nullptr once wake() was
    // called. (A wake-up may come from a put whose frame an earlier take got
    // already: it waits again.)
    const Frame* wait_take() {
        for (;;) {
            const uint32_t seen = puts_.load();
            if (const Frame* f = take()) return f;
            if (woken_.load()) return nullptr;
            puts_.wait(seen);
        }
    }
    // Ends every wait_take, this one and those to come, for good.
    void wake() {
        woken_.store(true);
        puts_.fetch_add(1);
        puts_.notify_all();
    }

private:
    static constexpr uint8_t kIndex = 3, kFresh = 4;
    std::array<Frame, 3> buffers_{};
    std::atomic<uint8_t> middle_{1};
    std::atomic<uint32_t> puts_{0};
    std::atomic<bool> woken_{false};
    uint8_t back_ = 0;   // the loop's
    uint8_t front_ = 2;  // the other side's
};

}  // namespace prismel::artnet
