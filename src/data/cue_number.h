#pragma once
// Cue numbers in tenths as the console shows them, and typed numbers read as
// tenths. One home for the forms every screen and report uses.
#include <cmath>
#include <cstdio>

namespace prismel {

enum class CueNumberStyle {
    kStatus,  // engine status and cue report: "%4d.%1d  " / "%4d.   "
    kField,   // tables and lists: "%4d.%1d" / "%4d. "
    kLabel,   // function-key labels: "%4d.%1d" / "%4d."
};

struct CueNumberText {
    char text[24];
};

inline CueNumberText cue_number_text(int number, CueNumberStyle style = CueNumberStyle::kStatus) {
    static constexpr const char* kWhole[] = {"%4d.   ", "%4d. ", "%4d."};
    static constexpr const char* kPoint[] = {"%4d.%1d  ", "%4d.%1d", "%4d.%1d"};
    const int i = static_cast<int>(style);
    CueNumberText t;
    // A damaged file can hold a negative number; its tenths digit is shown
    // without a second sign.
    if (number % 10 != 0)
        std::snprintf(t.text, sizeof t.text, kPoint[i], number / 10, std::abs(number % 10));
    else
        std::snprintf(t.text, sizeof t.text, kWhole[i], number / 10);
    return t;
}

// The highest number the 16-bit field holds (cue 3276.7).
constexpr int kMaxCueNumber = 32767;

// A typed cue number (12.5) in tenths (125), rounded down; the decimal the
// operator typed is exact even where its binary value lies just below it.
// -1 for a number no cue can carry (negative, or past the 16-bit field).
inline int cue_tenths_of(double typed) {
    if (!std::isfinite(typed)) return -1;
    const double tenths = std::floor(typed * 10.0 + 1e-6);
    return tenths >= 0.0 && tenths <= kMaxCueNumber ? static_cast<int>(tenths) : -1;
}

}  // namespace prismel
