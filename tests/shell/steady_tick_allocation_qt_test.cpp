// The 50 ms tick on a steady screen: it reaches neither the heap nor the
// paint handler, and painting a changed cell from a warm glyph cache reaches
// no heap in the painter either. This binary counts every operator new; the
// sanitizer builds bring their own allocator, so the count is taken in the
// plain build only.
#include <QImage>
#include <QPainter>

#include <ctime>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_painter.h"
#include "main_form_fixture.h"
#include "screens/Runscr.h"

#include "support/allocation_counter.h"

using namespace prismel;
using namespace prismel::test;

namespace {

class CountingPaints : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class SteadyTick : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        write_show();
        start_shown();
        for (int i = 0; i < 50; ++i) form->Timer1Timer();  // the title sequence
        ASSERT_TRUE(runscr_open(g_main_menu));
        for (int i = 0; i < 3; ++i) form->Timer1Timer();
        QApplication::processEvents();
    }
    void TearDown() override {
        runscr_close();
        MainFormTest::TearDown();
    }
};

TEST_F(SteadyTick, ATickOnTheSteadyRunScreenAllocatesAndPaintsNothing) {
#if !PRISMEL_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted in the build without sanitizers";
#else
    CountingPaints paints;
    form->installEventFilter(&paints);
    long allocations = -1;
    // The clock panel changes once a second: a run of ticks inside one second.
    for (int attempt = 0; attempt < 5 && allocations != 0; ++attempt) {
        const std::time_t start = std::time(nullptr);
        const long before = g_allocations.load();
        for (int i = 0; i < 40; ++i) form->Timer1Timer();
        if (std::time(nullptr) == start) allocations = g_allocations.load() - before;
        QApplication::processEvents();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(paints.paints, 0);
    form->removeEventFilter(&paints);
#endif
}

TEST_F(SteadyTick, PaintingAChangedGaugeFromTheGlyphCacheAllocatesNothing) {
#if !PRISMEL_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted in the build without sanitizers";
#else
    ChwScreen s;
    s.move_cursor(10, 4);
    s.write("GO  ");
    s.write_two_level_gauge(128, 64);
    QImage img(1280, 240, QImage::Format_RGB32);
    ChwGlyphCache glyphs;
    QPainter p(&img);
    QtChwCanvas canvas(p, img.size(), glyphs);
    paint_area(s, canvas, {0, 0, 1280, 240});  // the tiles rendered once
    const long before = g_allocations.load();
    for (int level = 0; level < 256; level += 16) {
        s.move_cursor(14, 4);
        s.write_two_level_gauge(level, 255 - level);
        paint_area(s, canvas, {100, 96, 200, 120});
    }
    EXPECT_EQ(g_allocations.load() - before, 0);
#endif
}

}  // namespace
