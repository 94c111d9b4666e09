// The user colour editor's redraw on a full show: every user colour named
// with its swatch, a colour previewed on every fixture. The character screen
// repaints only what changed, so a steady screen must change no cell at all.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "chwin/chw_keys.h"
#include "full_show.h"
#include "screens/Editcol.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

// The editor writes the colour file when it closes: into a folder of its own.
struct ScratchFolder {
    EnvSettings env;
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "editcol_bench_XXXXXX").string();
        if (mkdtemp(pattern.data())) env.program_folder = pattern + "/";
        g_env = &env;
    }
    ~ScratchFolder() {
        g_env = nullptr;
        std::error_code ec;
        if (!env.program_folder.empty()) std::filesystem::remove_all(env.program_folder, ec);
    }
};

struct ColourEditorOnFullShow : BenchScreen {
    ScratchFolder folder;
    ColourEditorOnFullShow() {
        editcol_open(backdrop);
        editcol_key(kKeyRight, 0);
        editcol_key(kKeyRight, 0);  // on a level: the step keys on the bar
        editcol_key(kKeyF9, 0);     // colour 401 on every fixture
        DmxFrame frame{};
        g_engine.step(frame);
        editcol_draw();
    }
    ~ColourEditorOnFullShow() { editcol_close(); }
};

// A redraw while nothing changes: the cost of every tick, and the cells that changed.
void BM_EditcolDrawSteady(benchmark::State& state) {
    ColourEditorOnFullShow screen;
    const BenchScreen::Cells before = screen.cells();
    const long invalidations = screen.host.invalidations;
    for (auto _ : state) editcol_draw();
    state.counters["changed_cells"] = static_cast<double>(screen.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(screen.host.invalidations - invalidations);
}
BENCHMARK(BM_EditcolDrawSteady);

// A redraw after each step of the previewed level (F6 and F5 in turn, as the
// held cap repeats them); the key itself is not timed.
void BM_EditcolDrawAfterLevelStep(benchmark::State& state) {
    ColourEditorOnFullShow screen;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editcol_key(++n % 2 ? kKeyF6 : kKeyF5, 0);
        state.ResumeTiming();
        editcol_draw();
    }
}
BENCHMARK(BM_EditcolDrawAfterLevelStep);

}  // namespace
}  // namespace prismel::bench
