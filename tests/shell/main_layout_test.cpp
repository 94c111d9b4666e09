#include "shell/main_layout.h"

#include <gtest/gtest.h>

using namespace prismel;

TEST(GridLayout, ColumnsAndRowsFollowTheClientWithinTheirLimits) {
    GridLayout g = layout_for_client(1000, 720, 20);
    EXPECT_EQ(g.columns, 100);
    EXPECT_EQ(g.rows, 30);
    EXPECT_EQ(g.fkey_row, 28);
    EXPECT_EQ(g.caption_row(), 27);
    g = layout_for_client(1900, 2000, 20);
    EXPECT_EQ(g.columns, 128);
    EXPECT_EQ(g.rows, 64);
    g = layout_for_client(100, 100, 20);
    EXPECT_EQ(g.columns, 92);
    EXPECT_EQ(g.rows, 29);
    // A client that cannot hold 29 rows (the desktop is too small for the
    // font) keeps the bar on its last whole rows but one, the status line
    // taking the last.
    EXPECT_EQ(g.fkey_row, 2);
    g = layout_for_client(1000, 26 * 24 + 5, 20);
    EXPECT_EQ(g.fkey_row, 24);
}

TEST(CanResize, ALargerFontGrowsTheClientAsFarAsTheDesktopHolds) {
    struct Case {
        const char* what;
        WindowSize client, most;
        int fs;
        WindowSize fitted;
    } const cases[] = {
        {"fs 24 needs 92 x 12 and 29 x 28 + 2", {920, 698}, {1600, 1000}, 24, {1104, 814}},
        {"a larger window keeps its size", {1300, 900}, {1600, 1000}, 24, {1300, 900}},
        {"the desktop stops the growth", {920, 698}, {1000, 780}, 24, {1000, 780}},
        {"a smaller font never shrinks it", {1104, 814}, {1600, 1000}, 20, {1104, 814}},
        {"an open window's extent", {920, 698}, {1600, 1000}, 20, {920, 900}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int extent = c.fitted.height == 900 ? 900 : 0;
        EXPECT_EQ(fitted_to_font(c.client, c.most, c.fs, extent), c.fitted);
    }
}

TEST(CanResize, ClientHeightNeverEndsJustBelowAWholeRow) {
    auto height = [](int h) { return can_resize({1000, h}, 0, 0, 20, 0).height; };
    EXPECT_EQ(height(696), 698);   // 29 rows exactly
    EXPECT_EQ(height(697), 698);
    EXPECT_EQ(height(698), 698);
    EXPECT_EQ(height(700), 700);
    EXPECT_EQ(height(720), 722);   // 30 rows exactly
    EXPECT_EQ(height(300), 698);   // below 29 rows
    EXPECT_EQ(height(1537), 1538); // 64 rows
    EXPECT_EQ(height(1600), 1600); // beyond 64 rows: background
}

TEST(CanResize, ClientWidthIsWholeDoubleCellsAndAtLeast92Columns) {
    auto width = [](int w) { return can_resize({w, 700}, 0, 0, 20, 0).width; };
    EXPECT_EQ(width(1005), 1000);
    EXPECT_EQ(width(1000), 1000);
    EXPECT_EQ(width(900), 920);
    EXPECT_EQ(width(1019), 1000);
    EXPECT_EQ(width(2000), 2000);  // wider than 128 columns is allowed
}

TEST(CanResize, FrameIsKeptAndOpenWindowsBoundTheHeight) {
    EXPECT_EQ(can_resize({1013, 726}, 8, 30, 20, 0), (WindowSize{1008, 728}));
    // A window whose bottom row is 40: 41 x 24 + 72 pixels at least.
    const int extent = 41 * 24 + 3 * 20 + 12;
    EXPECT_EQ(extent, 1056);
    EXPECT_EQ(can_resize({1000, 800}, 0, 0, 20, extent).height, 1056);
    EXPECT_EQ(can_resize({1000, 1100}, 0, 0, 20, extent).height, 1100);
    // An untouched proposal is returned as it came.
    EXPECT_EQ(can_resize({1008, 730}, 8, 30, 20, 0), (WindowSize{1008, 730}));
}

TEST(StatusLine, PanelWidthsAndBottomStrip) {
    EXPECT_EQ(status_panel_width(0, 20), 520);
    EXPECT_EQ(status_panel_width(1, 20), 180);
    EXPECT_EQ(status_panel_width(2, 20), 120);
    EXPECT_EQ(status_panel_width(3, 20), 50);
    EXPECT_EQ(bottom_strip_height(698, 20), 2 + 72);
    EXPECT_EQ(bottom_strip_height(720, 20), 72);
}

TEST(TitleImage, OwnSizeNearTwoThirdsOfTheWidthElseScaledByAspect) {
    const double aspect = 640.0 / 300.0;
    // 66 % of 1000 is 660, within 640 / 5 of the image width: drawn as it is.
    ChwRect r = title_image_rect(1000, 700, 640, 300, aspect);
    EXPECT_EQ(r, (ChwRect{180, 133, 820, 433}));
    // A narrow form: 66 % of its width, height by the aspect.
    r = title_image_rect(1600, 900, 640, 300, aspect);
    EXPECT_EQ(r.width(), 1056);
    EXPECT_EQ(r.height(), 495);
    EXPECT_EQ(r.left, (1600 - 1056) / 2);
    EXPECT_EQ(r.top, (900 - 495) / 3);
    // A wide form: 66 % of its height, width by the aspect.
    r = title_image_rect(2000, 700, 640, 300, aspect);
    EXPECT_EQ(r.height(), 462);
    EXPECT_EQ(r.width(), 985);
    EXPECT_EQ(title_text_y(700, 300), 133 + 250);
    EXPECT_EQ(title_sequence_image_height(2000, 700, aspect), 462);
    EXPECT_EQ(title_sequence_image_height(1000, 700, kDefaultTitleAspect), 309);
}
