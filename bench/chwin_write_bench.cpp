// Rewriting an unchanged full screen must cost next to nothing: every screen
// redraws its whole window on each 50 ms tick.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "chwin/chw_screen.h"
#include "full_show.h"

namespace {

using namespace prismel;

using bench::CountingHost;

// 64 rows of 128 bytes in alternating colours, a few double-byte characters.
void write_screen(ChwScreen& s, const char (&rows)[64][129]) {
    for (int r = 0; r < 64; ++r) {
        s.move_cursor(0, r);
        s.set_colours(r % 2 ? WinFg : WinHiFg, r % 3 ? WinBg : Cursor);
        s.write(rows[r], 128);
    }
}

void BM_RewriteUnchangedScreen(benchmark::State& state) {
    static char rows[64][129];
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 128; ++c) rows[r][c] = static_cast<char>('A' + (r + c) % 26);
        rows[r][10] = static_cast<char>(0x90);  // a double-byte pair
        rows[r][11] = static_cast<char>(0x46);
    }
    CountingHost host;
    ChwScreen s(&host);
    write_screen(s, rows);
    host.invalidations = 0;
    for (auto _ : state) {
        write_screen(s, rows);
        benchmark::ClobberMemory();
    }
    if (host.invalidations != 0) state.SkipWithError("an unchanged rewrite invalidated cells");
    state.counters["invalidations"] = static_cast<double>(host.invalidations);
}
BENCHMARK(BM_RewriteUnchangedScreen)->Unit(benchmark::kMicrosecond);

// The same through the formatted writer, as screens mostly write.
void BM_RewriteUnchangedFormatted(benchmark::State& state) {
    CountingHost host;
    ChwScreen s(&host);
    auto draw = [&] {
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 128; c += 8) {
                s.move_cursor(c, r);
                s.writef("%7d ", r * 1000 + c);
            }
    };
    draw();
    host.invalidations = 0;
    for (auto _ : state) draw();
    if (host.invalidations != 0) state.SkipWithError("an unchanged rewrite invalidated cells");
}
BENCHMARK(BM_RewriteUnchangedFormatted)->Unit(benchmark::kMicrosecond);

}  // namespace
