// How long the window thread holds the engine's mutex, on a full show: each
// benchmark is one guarded operation of the main thread, so its time is the
// hold the output thread may find when its step comes due. The engine's
// mutex lends the output thread's priority to the holder, so this is also
// about the longest the step can wait.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/cue_number.h"
#include "engine/show_edit.h"
#include "full_show.h"
#include "screens/editcue_rules.h"
#include "screens/output_toggle.h"
#include "screens/show_reload.h"

namespace prismel::bench {
namespace {

struct Live : BenchScreen {
    Live() {
        g_engine.go_to_cue(501);  // a wait, a scene fade and a chase
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
    }
};

void BM_HoldFields(benchmark::State& state) {
    Live live;
    for (auto _ : state) benchmark::DoNotOptimize(g_engine.fields());
}
BENCHMARK(BM_HoldFields);

void BM_HoldLayers(benchmark::State& state) {
    Live live;
    for (auto _ : state) benchmark::DoNotOptimize(g_engine.layers());
}
BENCHMARK(BM_HoldLayers);

void BM_HoldGoToCue(benchmark::State& state) {
    Live live;
    int cue = 0;
    for (auto _ : state) g_engine.go_to_cue(cue++ % kCues);
}
BENCHMARK(BM_HoldGoToCue);

void BM_HoldCallScene(benchmark::State& state) {
    Live live;
    int scene = 0;
    for (auto _ : state) g_engine.call_scene(scene++ % kScenes, StoredDuration(20));
}
BENCHMARK(BM_HoldCallScene);

// An editor's output switch on and off: the show parked on the snapshot
// stack (allocated under the guard), a scene played, the show given back.
void BM_HoldOutputToggle(benchmark::State& state) {
    Live live;
    OutputToggle toggle;
    toggle.note(g_engine);
    for (auto _ : state) {
        toggle.toggle(true, [] { g_engine.call_scene(7, StoredDuration(0)); });
        toggle.toggle(true, {});
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_HoldOutputToggle);

// A show read back from a data folder replaces every table in one guard.
void BM_HoldReplaceShow(benchmark::State& state) {
    Live live;
    const std::unique_ptr<ShowData> fresh = copy_of_show(g_show);
    for (auto _ : state) replace_show(g_show, *fresh);
}
BENCHMARK(BM_HoldReplaceShow);

// The largest cue list edit: the whole list copied over itself, one cue on.
void BM_HoldCopyCueRange(benchmark::State& state) {
    Live live;
    for (auto _ : state) {
        ShowEdit edit;
        benchmark::DoNotOptimize(copy_cue_range(g_show.cues, 10, 9990, 20));
    }
}
BENCHMARK(BM_HoldCopyCueRange);

// A colour name typed into the scene editor is looked up under the guard.
void BM_HoldColourLookup(benchmark::State& state) {
    Live live;
    for (auto _ : state) {
        ShowEdit edit;
        benchmark::DoNotOptimize(g_show.colours.find_by_name("NOT THERE"));
    }
}
BENCHMARK(BM_HoldColourLookup);

}  // namespace
}  // namespace prismel::bench
