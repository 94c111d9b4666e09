#include "screens/screen_bar.h"

#include <cstring>

#include "chwin/chw_field.h"
#include "chwin/inp_line.h"

namespace prismel {

void keep_fkey_bar(ChwScreen& s, const char* labels) {
    if (line_input_open() || std::strcmp(s.fkey_labels(), labels) == 0) return;
    s.draw_fkey_bar(labels);
}

void write_caption(ChwScreen& s, const char* text, int width) {
    if (s.fkey_row() < 1) return;
    s.move_cursor(1, s.fkey_row() - 1);
    s.set_dark_text(HeaderG);
    // As "%-*s", without formatting: screens write their caption every tick.
    const int n = text ? static_cast<int>(std::strlen(text)) : 0;
    s.write(text, n);
    if (width > n) ChwField().blanks(width - n).write_to(s);
}

void clear_caption(ChwScreen& s) {
    if (s.fkey_row() >= 1) s.clear_row(s.fkey_row() - 1);
}

}  // namespace prismel
