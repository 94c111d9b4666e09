// Painting the whole 128 x 64 grid at font size 20 into an offscreen image,
// as a full repaint of the main window does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_painter.h"
#include "chwin/chw_screen.h"
#include "platform/text_codec.h"

namespace {

using namespace prismel;

// A busy screen: text in several colours, Japanese, boxed fields, gauges.
void fill_screen(ChwScreen& s) {
    const char* kana = sj("シーン色付き灯体");
    for (int r = 0; r < 64; ++r) {
        s.move_cursor(0, r);
        s.set_colours(r % 2 ? WinFg : WinHiFg, r % 3 ? WinBg : Cursor);
        s.set_attribute(0);
        for (int c = 0; c < 40; ++c) s.write_char(static_cast<char>('A' + (r + c) % 26));
        s.write(kana);
        s.set_attribute(kAttrBoxed);
        s.write(" 12.5 ");
        s.set_attribute(0);
        for (int g = 0; g < 16; ++g) s.write_two_level_gauge(g * 16, 255 - g * 16);
        s.set_colours(WinFg, WinBg);
        s.writef("%-16s", "end");
    }
}

void BM_PaintFullScreen(benchmark::State& state) {
    ChwScreen s;
    fill_screen(s);
    QImage img(1280, 64 * 24, QImage::Format_RGB32);
    ChwGlyphCache glyphs;
    for (auto _ : state) {
        QPainter p(&img);
        QtChwCanvas canvas(p, img.size(), glyphs);
        paint_rows(s, canvas, -1, -1);
    }
    state.counters["tiles"] = static_cast<double>(glyphs.size());
}
BENCHMARK(BM_PaintFullScreen)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The first paint renders every glyph tile.
void BM_PaintFullScreenColdCache(benchmark::State& state) {
    ChwScreen s;
    fill_screen(s);
    QImage img(1280, 64 * 24, QImage::Format_RGB32);
    for (auto _ : state) {
        ChwGlyphCache glyphs;
        QPainter p(&img);
        QtChwCanvas canvas(p, img.size(), glyphs);
        paint_rows(s, canvas, -1, -1);
    }
}
BENCHMARK(BM_PaintFullScreenColdCache)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
