// Painting only what the writer invalidated leaves the same pixels as
// painting the whole grid: the main window relies on it for every tick.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "chw_fake_host.h"
#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_painter.h"
#include "platform/text_codec.h"
#include "support/qt_app.h"

namespace prismel {
namespace {

// A screen like the run screen's: numbers, names, double-byte text, boxed
// fields, underlined cells and gauges.
void draw(ChwScreen& s, int t) {
    for (int r = 0; r < 20; ++r) {
        s.move_cursor(2, r);
        s.set_colours(r % 2 ? WinFg : WinHiFg, r % 3 ? WinBg : Cursor);
        s.set_attribute(r % 4 == 0 ? kAttrUnderline : 0);
        s.writef("%3d ", (r * 7 + t) % 1000);
        s.set_attribute(kAttrBoxed);
        s.write(t % 3 == r % 3 ? sj("表示ソ能 ") : sj("シーン名 "));
        s.set_attribute(0);
        s.write_two_level_gauge((t * 16 + r) % 256, (255 - t * 16) & 255);
        s.writef(" %-10s", t % 2 ? "ABC" : "DEFGHIJ");
    }
}

TEST(PaintArea, InvalidatedAreasRepaintedGiveTheFullPaint) {
    test::qt_app();
    test::FakeHost host;
    ChwScreen s(&host);
    s.set_visible(100, 30);
    ChwGlyphCache glyphs;
    const QSize size(1005, 30 * 24 + 5);
    QImage partial(size, QImage::Format_RGB32);
    partial.fill(Qt::magenta);  // below the last row: neither paint covers it
    draw(s, 0);
    {
        QPainter p(&partial);
        QtChwCanvas canvas(p, size, glyphs);
        paint_rows(s, canvas, -1, -1);
    }
    for (int t = 1; t < 12; ++t) {
        host.invalidated.clear();
        draw(s, t);
        ASSERT_FALSE(host.invalidated.empty());
        {
            QPainter p(&partial);
            QtChwCanvas canvas(p, size, glyphs);
            for (const ChwRect& r : host.invalidated) {
                p.setClipRect(QRect(r.left, r.top, r.width(), r.height()));
                paint_area(s, canvas, r);
            }
        }
        QImage full(size, QImage::Format_RGB32);
        full.fill(Qt::magenta);
        {
            QPainter p(&full);
            QtChwCanvas canvas(p, size, glyphs);
            paint_rows(s, canvas, -1, -1);
        }
        ASSERT_EQ(partial, full) << "tick " << t;
    }
}

}  // namespace
}  // namespace prismel
