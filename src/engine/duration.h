#pragma once
// Time in the console. Operators type seconds; the show keeps them as stored
// durations (seconds x 20, shown as d x 0.05 s). The engine counts its own
// steps, one per 20 ms output frame. The two are different types so that a
// stored value can only become a step count through steps_of().
#include <cmath>
#include <cstdint>

namespace prismel {

// A duration as the show files and the editors hold it: a signed 16-bit count
// of 1/20 s.
class StoredDuration {
public:
    constexpr StoredDuration() = default;
    // Values outside the 16-bit field are limited to it, as a file could hold.
    constexpr explicit StoredDuration(int v) : value_(static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v)) {}
    constexpr int value() const { return value_; }
    friend constexpr bool operator==(StoredDuration, StoredDuration) = default;

private:
    int16_t value_ = 0;
};

// What the screens show and take: one-decimal seconds (d x 0.05) typed into
// 0.0-99.9, and the Shift+wheel nudge of 0.1 s that stays within 0-1998.
constexpr int kStoredPerSecond = 20;
constexpr double kMaxTypedSeconds = 99.9;
constexpr int kNudgeStep = 2;
constexpr int kNudgeMax = 1998;

inline double seconds_of(StoredDuration d) { return d.value() * 0.05; }

// Typed seconds as a stored duration, rounded down. The decimal the operator
// typed is exact even where its binary value lies just below it, so 4.35 s is
// 87 and 0.3 s is 6.
inline StoredDuration stored_of_seconds(double seconds) {
    if (!(seconds > 0.0)) return StoredDuration(0);
    return StoredDuration(static_cast<int>(std::floor(seconds * kStoredPerSecond + 1e-6)));
}

// A duration nudged one step up (direction > 0) or down: an increase only
// while the result stays at most 1998, a decrease only while it stays at
// least 0; otherwise it is left as it was.
constexpr StoredDuration nudged(StoredDuration d, int direction) {
    const int v = d.value() + (direction > 0 ? kNudgeStep : -kNudgeStep);
    if (direction > 0 ? v > kNudgeMax : v < 0) return d;
    return StoredDuration(v);
}

// A count of engine steps (20 ms each).
using EngineSteps = int32_t;

constexpr int kStepMilliseconds = 20;

// The one conversion from stored durations to engine steps: 1/20 s is 2.5
// steps, rounded half up. A negative duration (only a damaged file holds one)
// counts as 0, so no fade or countdown can run backwards.
constexpr EngineSteps steps_of(StoredDuration d) {
    return d.value() <= 0 ? 0 : (5 * d.value() + 1) / 2;
}

static_assert(steps_of(StoredDuration(20)) == 50, "1.0 s is 50 steps");
static_assert(steps_of(StoredDuration(1)) == 3);
static_assert(steps_of(StoredDuration(-5)) == 0);
static_assert(steps_of(StoredDuration(32767)) == 81918);

}  // namespace prismel
