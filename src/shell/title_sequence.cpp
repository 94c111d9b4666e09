#include "shell/title_sequence.h"

#include <cstdio>

#include "settings/env_settings.h"

namespace prismel {

TitleTick title_tick(int& countdown, bool main_menu_on_top, int text_width) {
    TitleTick t;
    if (countdown <= 0) return t;
    const int n = --countdown;
    if (!main_menu_on_top) return t;
    if (n > kTitleFullTick) {
        t.step = TitleStep::Reveal;
        t.width = ((kTitleTicks - n) * 2 * text_width) / kTitleTicks;
    } else if (n == kTitleFullTick) {
        t.step = TitleStep::Full;
    } else if (n == 0) {
        t.step = TitleStep::End;
    } else {
        t.step = TitleStep::Wait;
    }
    return t;
}

std::string title_text(const std::string& notice) {
    char buf[256];
    std::snprintf(buf, sizeof buf, " %s Version %d.%02d ", notice.c_str(), kVersionMajor, kVersionMinor);
    return buf;
}

std::string clock_text(const std::tm& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d %02d:%02d:%02d", t.tm_year % 100, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

}  // namespace prismel
