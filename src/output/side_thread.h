#pragma once
// A thread that serves one output beside the output loop, for work that may
// block: opening and probing devices, talking to a daemon. Nobody waits for
// it for long: a stop request returns at once, and the owner's last wait is
// bounded, after which a thread still blocked in the system is left to end
// on its own (what it uses is shared with it, so nothing it touches goes away).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace prismel::artnet {

class SideThread {
public:
    // What the thread's body sees of its owner.
    class Control {
    public:
        bool stopping() const;
        // Sleeps for d, or less when a stop is asked: false when stopping.
        bool pause(std::chrono::milliseconds d);
    private:
        friend class SideThread;
        mutable std::mutex mutex_;
        std::condition_variable changed_;
        bool stop_ = false;
        bool done_ = false;
        std::function<void()> wake_;
    };
    static constexpr std::chrono::milliseconds kLastWait{300};

    SideThread() = default;
    ~SideThread() { stop_within(kLastWait); }
    SideThread(const SideThread&) = delete;
    SideThread& operator=(const SideThread&) = delete;

    // Runs body once on a new thread named name (at most 15 bytes). wake,
    // when given, is called once a stop is asked, to end a wait of the
    // body's own.
    void start(const char* name, std::function<void(Control&)> body, std::function<void()> wake = {});
    void request_stop();
    // The body has returned (or was never started).
    bool finished() const;
    // Asks for a stop and waits up to limit for the body to return.
    void stop_within(std::chrono::milliseconds limit);

private:
    std::shared_ptr<Control> control_;
    std::thread thread_;
};

}  // namespace prismel::artnet
