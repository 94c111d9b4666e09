#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/cue_number.h"

namespace prismel {
namespace {

// The forms as printf gives them, for every value the 16-bit field holds.
TEST(CueNumberText, EveryStoredNumberReadsAsItsPrintfForm) {
    const char* whole[] = {"%4d.   ", "%4d. ", "%4d."};
    const char* point[] = {"%4d.%1d  ", "%4d.%1d", "%4d.%1d"};
    for (int style = 0; style < 3; ++style) {
        for (int number = -32768; number <= 32767; ++number) {
            char expected[32];
            if (number % 10 != 0)
                std::snprintf(expected, sizeof expected, point[style], number / 10, std::abs(number % 10));
            else
                std::snprintf(expected, sizeof expected, whole[style], number / 10);
            ASSERT_EQ(std::string(cue_number_text(number, static_cast<CueNumberStyle>(style)).text), expected)
                << number << " style " << style;
        }
    }
}

}  // namespace
}  // namespace prismel
