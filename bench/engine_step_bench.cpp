// The engine step on a full show: 64 patched fixtures, a scene crossfade
// running under a chase crossfade, the remote port polled. The counter
// allocs_per_step counts operator new calls made during the timed steps.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/Prsm_exe.h"
#include "platform/simulated_remote_port.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace prismel {
namespace {

std::unique_ptr<ShowData> full_show() {
    auto show = std::make_unique<ShowData>();
    for (int c = 0; c < 8; ++c) {
        show->colours.rec[400 + c] = {{}, static_cast<uint8_t>(30 * c), static_cast<uint8_t>(255 - 30 * c), 90};
    }
    for (int s = 0; s < 4; ++s) {
        for (int f = 0; f < kFixtures; ++f) {
            // Scene 0 lights half the fixtures, so the chase owns the rest.
            const bool lit = s != 0 || f % 2 == 0;
            show->scenes[s].colour[f] = static_cast<int16_t>(lit ? 400 + (f + s) % 8 : kNone);
            show->scenes[s].size[f] = static_cast<uint8_t>(lit ? 100 + s * 40 : 0);
        }
    }
    ChaseRecord& chase = show->chases[0];
    chase.step_count = 3;
    chase.steps[0] = 1;
    chase.steps[1] = 2;
    chase.steps[2] = 3;
    for (int f = 0; f < kFixtures; ++f) show->patch[f] = {static_cast<int16_t>(1 + f % 4), static_cast<int16_t>(8 * f)};
    return show;
}

void BM_EngineStepFullShow(benchmark::State& state) {
    auto show = full_show();
    SimulatedRemotePort port;
    PlaybackEngine engine(*show, port);
    engine.initialise();
    engine.release();
    DmxFrame frame{};
    long allocations = 0, steps = 0;
    int since_restart = 0;
    for (auto _ : state) {
        if (since_restart == 0) {
            // A long scene fade (20 s) under a chase whose every step fades.
            state.PauseTiming();
            engine.call_scene(0, StoredDuration(400));
            engine.start_chase(0, StoredDuration(8), StoredDuration(6), 0);
            state.ResumeTiming();
        }
        since_restart = (since_restart + 1) % 900;
        const long before = g_allocations.load(std::memory_order_relaxed);
        engine.step(frame);
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++steps;
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["allocs_per_step"] = static_cast<double>(allocations) / static_cast<double>(steps ? steps : 1);
    engine.shut_down();
}
BENCHMARK(BM_EngineStepFullShow)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace prismel
