// The data folder screen's redraw with a page of 20 save folders (30 in the
// location, the list scrolled): the list is scanned on the operator's
// commands only, so a tick costs the writes of one window, and a steady
// screen changes no cell.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "chwin/chw_keys.h"
#include "data/show_files.h"
#include "full_show.h"
#include "screens/Diskop.h"

namespace prismel::bench {
namespace {

namespace fs = std::filesystem;

struct FolderScreenWithThirtyFolders : BenchScreen {
    FolderScreenWithThirtyFolders() {
        location = fs::temp_directory_path() / ("diskop_bench_" + std::to_string(::getpid()));
        fs::create_directories(location);
        for (int i = 0; i < 30; ++i) {
            const fs::path f = location / ("SHOW_" + std::to_string(100 + i));
            fs::create_directories(f);
            if (i % 2 == 0) write_table(g_show, ShowTable::kScenes, f.string() + "/");
        }
        diskop_set_data_location(location.string() + "/");
        diskop_open(backdrop);
        for (int i = 0; i < 25; ++i) diskop_key(kKeyDown, 0);
        diskop_draw();
    }
    ~FolderScreenWithThirtyFolders() {
        diskop_close();
        diskop_set_data_location("");
        std::error_code ec;
        fs::remove_all(location, ec);
    }
    fs::path location;
};

void BM_DiskopDrawSteady(benchmark::State& state) {
    FolderScreenWithThirtyFolders screen;
    const BenchScreen::Cells before = screen.cells();
    const long invalidations = screen.host.invalidations;
    for (auto _ : state) diskop_draw();
    state.counters["changed_cells"] = static_cast<double>(screen.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(screen.host.invalidations - invalidations);
}
BENCHMARK(BM_DiskopDrawSteady);

}  // namespace
}  // namespace prismel::bench
