#pragma once
// Cue numbers in tenths as the console shows them, and typed numbers read as
// tenths. One home for the forms every screen and report uses.
#include <cmath>
#include <cstdio>

#include "data/decimal_text.h"

namespace prismel {

enum class CueNumberStyle {
    kStatus,  // engine status and cue report: "%4d.%1d  " / "%4d.   "
    kField,   // tables and lists: "%4d.%1d" / "%4d. "
    kLabel,   // function-key labels: "%4d.%1d" / "%4d."
};

struct CueNumberText {
    char text[24];
};

// Formats as the printf forms above (the run screen shows dozens of cue
// numbers on every tick, so without the printf machinery).
inline CueNumberText cue_number_text(int number, CueNumberStyle style = CueNumberStyle::kStatus) {
    CueNumberText t;
    char* p = t.text;
    // "%4d" of number / 10, truncated toward zero as the division is.
    char whole[kDecimalTextMax];
    const int length = decimal_text(number / 10, whole);
    for (int pad = 4 - length; pad > 0; --pad) *p++ = ' ';
    for (int i = 0; i < length; ++i) *p++ = whole[i];
    *p++ = '.';
    // A damaged file can hold a negative number; its tenths digit is shown
    // without a second sign.
    const int tenths = number % 10 < 0 ? -(number % 10) : number % 10;
    if (tenths != 0) {
        *p++ = static_cast<char>('0' + tenths);
        if (style == CueNumberStyle::kStatus) *p++ = ' ', *p++ = ' ';
    } else if (style == CueNumberStyle::kStatus) {
        *p++ = ' ', *p++ = ' ', *p++ = ' ';
    } else if (style == CueNumberStyle::kField) {
        *p++ = ' ';
    }
    *p = '\0';
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
