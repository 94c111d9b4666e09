#include <time.h>

#include <cerrno>

#include "output/net_seams.h"

namespace prismel::artnet {

namespace {

class MonotonicClock final : public LoopClock {
public:
    std::chrono::nanoseconds now() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
    }

    // An absolute deadline: a wake-up that comes late does not push the next one.
    void sleep_until(std::chrono::nanoseconds t) override {
        timespec ts{};
        ts.tv_sec = time_t(t.count() / 1000000000);
        ts.tv_nsec = long(t.count() % 1000000000);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
};

}  // namespace

std::unique_ptr<LoopClock> make_monotonic_clock() { return std::make_unique<MonotonicClock>(); }

}  // namespace prismel::artnet
