#pragma once
// Time in the console. Operators type seconds; the show keeps them as stored
// durations (seconds x 20, shown as d x 0.05 s). The engine counts its own
// steps, one per 20 ms output frame. The two are different types so that a
// stored value can only become a step count through steps_of().
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
