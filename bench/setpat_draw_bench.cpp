// The patch editor's redraw on a full show: all 64 fixtures patched, the
// four types mixed. A steady screen must change no cell at all.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "chwin/chw_input.h"
#include "chwin/chw_keys.h"
#include "full_show.h"
#include "screens/Setpat.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

// The editor writes its file when it closes: into a folder of its own.
struct ScratchFolder {
    EnvSettings env;
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "setpat_bench_XXXXXX").string();
        if (mkdtemp(pattern.data())) env.program_folder = pattern + "/";
        g_env = &env;
    }
    ~ScratchFolder() {
        g_env = nullptr;
        if (!env.program_folder.empty()) std::filesystem::remove_all(env.program_folder);
    }
};

struct PatchEditorOnFullShow : BenchScreen {
    ScratchFolder folder;
    PatchEditorOnFullShow() {
        for (int f = 0; f < kFixtures; ++f) g_show.patch[f].layout = static_cast<int16_t>(1 + f % 4);
        setpat_open(backdrop);
        setpat_draw();
    }
    ~PatchEditorOnFullShow() { setpat_close(); }
};

// A tick on which nothing changes: its cost and the cells it changed.
void BM_SetpatDrawSteady(benchmark::State& state) {
    PatchEditorOnFullShow editor;
    const BenchScreen::Cells before = editor.cells();
    const long invalidations = editor.host.invalidations;
    for (auto _ : state) setpat_draw();
    state.counters["changed_cells"] = static_cast<double>(editor.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(editor.host.invalidations - invalidations);
}
BENCHMARK(BM_SetpatDrawSteady);

// A cursor move and its redraw, as the operator walks the grid.
void BM_SetpatCursorMove(benchmark::State& state) {
    PatchEditorOnFullShow editor;
    int i = 0;
    for (auto _ : state) deliver_key(editor.screen, (i++ / 63) % 2 ? kKeyLeft : kKeyRight, 0);
}
BENCHMARK(BM_SetpatCursorMove);

}  // namespace
}  // namespace prismel::bench
