// The function-key editor's redraw on a full show with every kind of preset:
// cues (whole and point), scenes and chases with their names and times,
// standby and none. A steady screen must change no cell at all.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "full_show.h"
#include "screens/Editfky.h"
#include "screens/editfky_rules.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

struct EditorOnFullShow : BenchScreen {
    EditorOnFullShow() {
        // Closing writes the function-key file: into a folder of its own.
        char pattern[] = "/tmp/editfky_bench_XXXXXX";
        if (const char* dir = mkdtemp(pattern)) folder = std::string(dir) + "/";
        env.program_folder = folder;
        g_env = &env;
        const FkeyType types[] = {kFkeyCue, kFkeyCue, kFkeyScene, kFkeyScene, kFkeyChase,
                                  kFkeyChase, kFkeyStandby, kFkeyNone, kFkeyScene, kFkeyChase};
        for (int k = 0; k < kFkeys; ++k) {
            FkeyRecord& r = g_show.fkeys[k];
            fkey_choose_type(r, types[k]);
            if (types[k] == kFkeyCue) fkey_set_cue(r, 500 + k, g_show.cues[500 + k].number);
            if (types[k] == kFkeyScene) fkey_set_scene(r, 20 * k);
            if (types[k] == kFkeyChase) fkey_set_chase(r, 5 * k);
        }
        editfky_open(backdrop);
        editfky_draw();
    }
    ~EditorOnFullShow() {
        editfky_close();
        g_env = nullptr;
        if (!folder.empty()) std::filesystem::remove_all(folder);
    }
    EnvSettings env;
    std::string folder;
};

// The cost of a tick in which nothing changes, and the cells it changed.
void BM_EditfkyDrawSteady(benchmark::State& state) {
    EditorOnFullShow editor;
    const BenchScreen::Cells before = editor.cells();
    const long invalidations = editor.host.invalidations;
    for (auto _ : state) editfky_draw();
    state.counters["changed_cells"] = static_cast<double>(editor.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(editor.host.invalidations - invalidations);
}
BENCHMARK(BM_EditfkyDrawSteady);

// A redraw after the cursor moved one cell, as while the operator walks the
// grid (the key itself is not timed).
void BM_EditfkyDrawCursorMoving(benchmark::State& state) {
    EditorOnFullShow editor;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editfky_key(i++ % 20 < 10 ? kKeyDown : kKeyUp, 0);
        state.ResumeTiming();
        editfky_draw();
    }
}
BENCHMARK(BM_EditfkyDrawCursorMoving);

}  // namespace
}  // namespace prismel::bench
