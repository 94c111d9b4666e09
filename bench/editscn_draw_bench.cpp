// The scene editor's redraw on a full show: every fixture of the scene
// coloured and lit, half of them marked, a cue fading and a chase running
// under the editor. The character screen repaints only what changed, so a
// steady screen must change no cell at all.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "chwin/chw_keys.h"
#include "full_show.h"
#include "screens/Editscn.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

struct SceneEditorOnFullShow : BenchScreen {
    // The editor writes the scene file when it closes: into a folder of its
    // own, not wherever the benchmark runs.
    EnvSettings env;
    SceneEditorOnFullShow() {
        const auto folder = std::filesystem::temp_directory_path() / "editscn_draw_bench";
        std::filesystem::create_directories(folder);
        env.program_folder = folder.string() + "/";
        g_env = &env;
        for (int f = 0; f < kFixtures; ++f) g_show.patch[f].layout = static_cast<int16_t>(f % 4 + 1);
        g_engine.go_to_cue(501);
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
        editscn_reset();
        editscn_set_scene(4);
        editscn_open(backdrop);
        for (int f = 0; f < kFixtures; f += 2) {
            editscn_key(kKeySpace, 0);
            editscn_key(kKeyRight, 0);
        }
        editscn_draw();
    }
    ~SceneEditorOnFullShow() {
        editscn_close();
        editscn_reset();
        g_env = nullptr;
    }
};

// A redraw while nothing changes: the cost of every quiet tick, and the
// cells it changed.
void BM_EditscnDrawSteady(benchmark::State& state) {
    SceneEditorOnFullShow editor;
    const BenchScreen::Cells before = editor.cells();
    const long invalidations = editor.host.invalidations;
    for (auto _ : state) editscn_draw();
    state.counters["changed_cells"] = static_cast<double>(editor.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(editor.host.invalidations - invalidations);
}
BENCHMARK(BM_EditscnDrawSteady);

// A redraw after each cursor move, as while the operator walks the grid.
void BM_EditscnDrawCursorMoving(benchmark::State& state) {
    SceneEditorOnFullShow editor;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editscn_key(++i % 16 < 8 ? kKeyRight : kKeyLeft, 0);
        state.ResumeTiming();
        editscn_draw();
    }
}
BENCHMARK(BM_EditscnDrawCursorMoving);

// The one-touch bar while Shift is held: the draw handler keeps it.
void BM_EditscnDrawShiftBar(benchmark::State& state) {
    SceneEditorOnFullShow editor;
    editscn_key(kKeyShift, kModShift);
    editscn_draw();
    const BenchScreen::Cells before = editor.cells();
    for (auto _ : state) editscn_draw();
    state.counters["changed_cells"] = static_cast<double>(editor.changed_since(before));
}
BENCHMARK(BM_EditscnDrawShiftBar);

}  // namespace
}  // namespace prismel::bench
