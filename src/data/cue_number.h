#pragma once
// A cue number in tenths as the engine status and the cue report print it:
// "%4d.%1d  " for a point cue, "%4d.   " for a whole cue.
#include <cstdio>

namespace prismel {

struct CueNumberText {
    char text[24];
};

inline CueNumberText cue_number_text(int number) {
    CueNumberText t;
    if (number % 10 != 0)
        std::snprintf(t.text, sizeof t.text, "%4d.%1d  ", number / 10, number % 10);
    else
        std::snprintf(t.text, sizeof t.text, "%4d.   ", number / 10);
    return t;
}

}  // namespace prismel
