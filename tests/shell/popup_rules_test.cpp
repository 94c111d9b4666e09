#include "shell/popup_rules.h"

#include <gtest/gtest.h>

#include "chwin/chw_colours.h"

namespace prismel {
namespace {

TEST(PopupRules, FontSizeStepsBetweenTheDisplayLimits) {
    struct Case {
        int display, fs;
        bool grow, shrink;
    };
    const Case cases[] = {
        {1024, 16, true, false},  // 9 x 2 - 2 = 16 >= 16; 16 < 8 x 2 + 2
        {1024, 18, false, true},
        {1920, 20, true, false},  // 15 x 2 + 2 = 32 > 20
        {1920, 34, true, true},   // 18 x 2 - 2 = 34
        {1920, 36, false, true},
        {1920, 32, true, true},
        {1920, 30, true, false},  // 15 x 2 + 2 = 32 > 30
        {640, 12, false, false},  // narrower than both limits: never below 12
        {640, 14, false, true},
        {800, 12, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(font_can_grow(c.fs, c.display), c.grow) << c.display << " " << c.fs;
        EXPECT_EQ(font_can_shrink(c.fs, c.display), c.shrink) << c.display << " " << c.fs;
        EXPECT_EQ(grown_font(c.fs, c.display), c.grow ? c.fs + 2 : c.fs);
        EXPECT_EQ(shrunk_font(c.fs, c.display), c.shrink ? c.fs - 2 : c.fs);
    }
    for (int display = 200; display < 4000; display += 7)
        for (int fs = 12; fs < 60; fs += 2) EXPECT_GE(shrunk_font(fs, display), kMinFontSize);
}

TEST(PopupRules, MenusOpenAtColumnsSixtyAndFortyFiveAboveTheBar) {
    EXPECT_EQ(data_menu_place(100, 50, 700, 20), (MenuPlace{100 + 600, 50 + 700 - 10 * 24}));
    EXPECT_EQ(options_menu_place(100, 50, 700, 20), (MenuPlace{100 + 450, 50 + 700 - 15 * 24}));
    EXPECT_EQ(options_menu_place(0, 0, 600, 17), (MenuPlace{382, 600 - 15 * 21}));
}

TEST(PopupRules, AReportOpensWithTheEditorOrTheDesktopsApplication) {
    struct Case {
        const char* editor;
        bool windows;
        const char* opener;
    } const cases[] = {
        {"", false, "xdg-open"},           {"notepad.exe", false, "xdg-open"},
        {"C:\\Tools\\ED.EXE", false, "xdg-open"}, {"gedit", false, "gedit"},
        {"/usr/bin/my editor", false, "/usr/bin/my editor"}, {"notepad.exe", true, "notepad.exe"},
        {"", true, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(report_opener(c.editor, c.windows), c.opener) << c.editor;
}

TEST(PopupRules, ColourTagsNameTheirSchemeEntries) {
    const int tags[] = {0, 1, 2, 5, 6, 7, 8, 9, 20, 3};
    const int entries[] = {WinBg, WinFg, WinHiFg, TitleAct, FrameAct, TitleNeg, FrameNeg, TitleFg, ScreenBg, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(colour_of_tag(tags[i]), entries[i]) << tags[i];
}

}  // namespace
}  // namespace prismel
