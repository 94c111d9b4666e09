#pragma once
// The title sequence after start-up, 50 ticks of the 50 ms timer: the title
// text is revealed from its centre outwards (ticks 49-26), shown whole (25),
// stays (24-1) and at 0 the sequence ends by opening the run screen. Any key
// or button press cuts it short by setting the countdown to 0 directly.
#include <ctime>
#include <string>

namespace prismel {

constexpr int kTitleTicks = 50;
constexpr int kTitleFullTick = 25;

enum class TitleStep {
    Idle,    // the sequence is over (or another window is on top)
    Reveal,  // draw the text clipped to the middle `width` pixels
    Full,    // draw the whole text
    Wait,
    End,     // clear the caption row, hide the image if asked, open the run screen
};

struct TitleTick {
    TitleStep step = TitleStep::Idle;
    int width = 0;  // Reveal: visible width of the text
};

// One tick: decrements a positive countdown and says what to draw.
TitleTick title_tick(int& countdown, bool main_menu_on_top, int text_width);

// " %s Version %d.%02d " with the notice text and the program version (1.21).
std::string title_text(const std::string& notice);

// "yy/mm/dd hh:nn:ss" (09/03/07 14:05:09).
std::string clock_text(const std::tm& t);

}  // namespace prismel
