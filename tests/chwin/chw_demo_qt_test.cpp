// A demo stack painted offscreen. With PRISMEL_DEMO_PNG set to a file name the
// picture is saved there (scripts/chwin_demo_screenshot.sh) to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_painter.h"
#include "platform/text_codec.h"
#include "support/qt_app.h"

namespace prismel {
namespace {

void draw_demo(ChwScreen& s) {
    s.set_visible(100, 34);
    s.set_fkey_row(32);
    ChwWindow* backdrop = s.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
    s.show_window(backdrop);
    ChwWindow* editor = s.create_window(backdrop, sj("シーン編集"), kStyleFramed | kStyleFooter, 2, 1, 70, 26);
    s.show_window(editor);

    const int header_colours[] = {HeaderY, HeaderC, HeaderR, HeaderG, HeaderB, HeaderM};
    const char* headers[] = {" 番号 ", " 名前   ", " Ｙ ", " Ｃ ", " Ｍ ", " 色 "};
    s.move_cursor_in(editor, 2, 1);
    for (int i = 0; i < 6; ++i) {
        s.set_dark_text(header_colours[i]);
        s.set_attribute(kAttrBoxed);
        s.write(sj(headers[i]));
        s.set_attribute(0);
        s.set_normal_colours();
        s.write_char(' ');
    }
    for (int row = 0; row < 18; ++row) {
        s.move_cursor_in(editor, 2, 3 + row);
        if (row == 4)
            s.set_colours(WinFg, Cursor);
        else
            s.set_normal_colours();
        s.writef("%4d  ", row + 1);
        s.writef(sj("%-10s"), row % 3 ? sj("赤") : sj("ﾌﾞﾙｰ"));
        s.writef("%3d %3d %3d ", row * 14, 255 - row * 14, row * 7);
        s.set_bg_value(0x0000FF + row * 0x0D0D00);
        s.write("    ");
        s.set_normal_colours();
        s.write(" ");
        s.write_two_level_gauge(row * 15, 255 - row * 15);
        s.write_level_gauge(row * 15, HeaderR);
    }
    s.move_cursor_in(editor, 2, editor->height - 2);
    s.set_colours(WinHiFg, WinBg);
    s.write(sj("ｼｰﾝ:  1     Enter=決定  Esc=戻る"));

    ChwWindow* picker = s.create_window(editor, sj("カラー一覧"), kStyleFramed, 50, 8, 80, 20);
    s.show_window(picker);
    for (int row = 0; row < 11; ++row) {
        s.move_cursor_in(picker, 1, 1 + row);
        if (row == 2)
            s.set_colours(WinFg, Cursor);
        else
            s.set_normal_colours();
        s.writef(" %3d ", row + 401);
        s.writef("%-8s", sj("ﾚｯﾄﾞ"));
        s.set_bg_value(0x3366CC + row * 0x001100);
        s.write("  ");
        s.set_normal_colours();
    }

    s.clear_row(31);
    s.draw_fkey_bar(sj(" 新規| 削除|ﾌｫﾙﾀﾞ|ﾃﾞﾌｫﾙﾄ| 保存|$ 読込|-ｺﾋﾟｰ|$$$ 戻る"));
    s.press_fkey(kKeyF2);

    ChwWindow* w = s.top_window();
    while (w) {
        ChwWindow* parent = w->parent;
        delete w;
        w = parent;
    }
}

TEST(DemoStackTest, PaintsEveryPixelOfTheGrid) {
    test::qt_app();
    ChwScreen s;
    draw_demo(s);
    QImage img(1000, 34 * 24, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    {
        QPainter p(&img);
        ChwGlyphCache glyphs;
        QtChwCanvas canvas(p, img.size(), glyphs);
        paint_rows(s, canvas, -1, -1);
        paint_pressed_cap(s, canvas);
    }
    int unpainted = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) unpainted += img.pixelColor(x, y) == QColor(Qt::magenta);
    EXPECT_EQ(unpainted, 0);
    if (const char* out = std::getenv("PRISMEL_DEMO_PNG")) EXPECT_TRUE(img.save(out));
}

}  // namespace
}  // namespace prismel
