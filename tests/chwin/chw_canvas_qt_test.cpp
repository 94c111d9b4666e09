#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_painter.h"
#include "platform/text_codec.h"
#include "support/qt_app.h"

namespace prismel {
namespace {

class QtCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { test::qt_app(); }
    // Paints rows 0-2 of the screen into a 1280 x 72 image.
    QImage paint() {
        QImage img(1280, 72, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        QtChwCanvas canvas(p, img.size(), glyphs);
        paint_rows(s, canvas, 0, 2);
        paint_pressed_cap(s, canvas);
        return img;
    }
    uint32_t rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
    uint32_t qrgb(int index) { return to_qcolor(s.colour_of(index)).rgb() & 0xFFFFFF; }

    ChwScreen s;
    ChwGlyphCache glyphs;
};

TEST_F(QtCanvasTest, BackgroundsAndGaugeBars) {
    s.move_cursor(0, 0);
    s.set_colours(WinFg, WinBg);
    s.write("  ");
    s.set_bg(WinBg);
    s.write_level_gauge(0, HeaderY);    // columns 2-3
    s.write_level_gauge(255, HeaderY);  // columns 4-5
    const QImage img = paint();
    // Blank cells: their background everywhere, no text pixels.
    EXPECT_EQ(rgb(img, 0, 0), qrgb(WinBg));
    EXPECT_EQ(rgb(img, 15, 23), qrgb(WinBg));
    EXPECT_EQ(rgb(img, 6, 30), qrgb(ScreenBg));  // row 1
    // Level 0: only the pixel row at y = 18, blue, 13 pixels wide.
    EXPECT_EQ(rgb(img, 20, 18), qrgb(ColBlue));
    EXPECT_EQ(rgb(img, 32, 18), qrgb(ColBlue));
    EXPECT_EQ(rgb(img, 33, 18), qrgb(WinBg));
    EXPECT_EQ(rgb(img, 20, 17), qrgb(WinBg));
    EXPECT_EQ(rgb(img, 20, 19), qrgb(WinBg));
    // Level 255: from the top of the cell down to y = 18.
    EXPECT_EQ(rgb(img, 41, 0), qrgb(HeaderY));
    EXPECT_EQ(rgb(img, 41, 18), qrgb(HeaderY));
    EXPECT_EQ(rgb(img, 41, 19), qrgb(WinBg));
    EXPECT_EQ(rgb(img, 55, 5), qrgb(WinBg));
    // Nothing outside the visible grid was left unpainted.
    EXPECT_EQ(rgb(img, 1279, 71), qrgb(ScreenBg));
}

TEST_F(QtCanvasTest, TextStaysInsideItsCellsAndEdgesAreRaised) {
    s.move_cursor(1, 1);
    s.set_colours(WinFg, WinBg);
    s.set_attribute(kAttrBoxed);
    s.write(sj("漢字gy "));
    const QImage img = paint();
    int ink = 0;
    for (int y = 24; y < 48; ++y)
        for (int x = 11; x < 50; ++x) ink += rgb(img, x, y) == qrgb(WinFg);
    EXPECT_GT(ink, 40);
    // No ink above or below the row.
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(rgb(img, x, 23), qrgb(ScreenBg)) << x;
        EXPECT_EQ(rgb(img, x, 48), qrgb(ScreenBg)) << x;
    }
    // Raised box: light outer line on the top, dark on the bottom.
    const QColor top = img.pixelColor(30, 24);
    const QColor bottom = img.pixelColor(30, 47);
    EXPECT_GT(top.lightness(), 200);
    EXPECT_LT(bottom.lightness(), 120);
}

TEST_F(QtCanvasTest, PressedCapIsFramed) {
    s.set_fkey_row(2);
    s.draw_fkey_bar("Go");
    s.press_fkey(kKeyF1);
    const QImage img = paint();
    EXPECT_EQ(rgb(img, 20, 48), qrgb(WinNgFg));
    EXPECT_EQ(rgb(img, 79, 71), qrgb(WinNgFg));
    EXPECT_EQ(rgb(img, 50, 60), qrgb(Button));
}

TEST_F(QtCanvasTest, GlyphTilesAreReused) {
    s.move_cursor(0, 0);
    s.write("AAAA");
    paint();
    const std::size_t tiles = glyphs.size();
    paint();
    EXPECT_EQ(glyphs.size(), tiles);
    EXPECT_LE(tiles, 4u);  // 'A', blanks of two colour pairs
}

}  // namespace
}  // namespace prismel
