// The cue editor's redraw on a full show: every cue used with a scene and a
// chase, every name filled, a test running. The table is drawn only after a
// key or a click asked for it; on every other tick only the engine's status
// is written, which changes no cell while the engine stands still.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "full_show.h"
#include "chwin/chw_keys.h"
#include "screens/Editcue.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

struct CueEditorOnFullShow : BenchScreen {
    // The editor writes the cue file when it closes: into the temporary folder.
    std::filesystem::path folder;
    EnvSettings env;

    CueEditorOnFullShow() {
        folder = std::filesystem::temp_directory_path() / ("editcue_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        env.program_folder = folder.string() + "/";
        g_env = &env;
        editcue_open(backdrop);
        for (int i = 0; i < 120; ++i) editcue_key(kKeyDown, 0);  // scrolled past cue 100
        editcue_key(kKeyF9, 0);  // a test of the cursor cue is on stage
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
        editcue_draw();
    }
    ~CueEditorOnFullShow() {
        editcue_close();
        std::filesystem::remove_all(folder);
        g_env = nullptr;
    }
};

// A tick after a key: the whole table written again (the cells it changes
// are only those the key changed: here none, the cursor going right and
// back).
void BM_EditcueDrawFlagged(benchmark::State& state) {
    CueEditorOnFullShow run;
    const BenchScreen::Cells before = run.cells();
    for (auto _ : state) {
        state.PauseTiming();
        editcue_key(kKeyShift, kModShift);  // any key marks a redraw
        state.ResumeTiming();
        editcue_draw();
    }
    state.counters["changed_cells"] = static_cast<double>(run.changed_since(before));
}
BENCHMARK(BM_EditcueDrawFlagged);

// A tick with nothing asked for and the engine standing still: the cost of
// almost every tick, and the cells it changed.
void BM_EditcueDrawSteady(benchmark::State& state) {
    CueEditorOnFullShow run;
    const BenchScreen::Cells before = run.cells();
    const long invalidations = run.host.invalidations;
    for (auto _ : state) editcue_draw();
    state.counters["changed_cells"] = static_cast<double>(run.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(run.host.invalidations - invalidations);
}
BENCHMARK(BM_EditcueDrawSteady);

// A tick after each engine step, a chase of the test stepping: the status
// text moves, the table is not redrawn.
void BM_EditcueDrawLive(benchmark::State& state) {
    CueEditorOnFullShow run;
    DmxFrame frame{};
    for (auto _ : state) {
        state.PauseTiming();
        g_engine.step(frame);
        state.ResumeTiming();
        editcue_draw();
    }
}
BENCHMARK(BM_EditcueDrawLive);

}  // namespace
}  // namespace prismel::bench
