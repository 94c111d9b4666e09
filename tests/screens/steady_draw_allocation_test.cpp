// Every screen's draw handler runs on every 50 ms tick, with the toolkit's
// look at the open editor's tables. On a steady screen (and on the run
// screen while a chase moves) neither may reach the heap:
// this binary counts every operator new. The sanitizer builds bring their
// own allocator, so the count is taken in the plain build only.
#include <functional>

#include "chwin/chw_keys.h"
#include "diskop_fixture.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Runscr.h"
#include "screens/Setpat.h"
#include "screens/edit_keeper.h"

#include "support/allocation_counter.h"

namespace prismel::test {
namespace {

struct Screen {
    const char* name;
    int (*open)(ChwWindow*);
    int (*draw)();
    std::function<void()> close;
};

class SteadyDrawAllocation : public DiskopTest {
protected:
    // A show with something in every table, so that every part of every
    // screen has text to write.
    static void fill() {
        for (int i = 0; i < 12; ++i) set_colour(400 + i, "USER", uint8_t(20 * i), 40, uint8_t(200 - 10 * i));
        for (int s = 0; s < 20; ++s) {
            name_scene(s, "\x83\x56\x81\x5B\x83\x93 SCENE");  // "シーン SCENE", a 0x5C trail byte
            for (int f = 0; f < kFixtures; ++f) {
                g_show.scenes[s].colour[f] = int16_t(400 + (s + f) % 12);
                g_show.scenes[s].size[f] = 200;
            }
        }
        for (int c = 0; c < 5; ++c) {
            name_chase(c, "CHASE");
            set_chase(c, {0, 1, 2, 3});
        }
        for (int q = 0; q < 30; ++q) use_cue(q, q % 20, 20, q % 5, q % 3 == 0 ? 40 : 0);
        for (int k = 0; k < 10; ++k) set_fkey(k, 1, k, 20, 20, "KEY");
        for (int f = 0; f < kFixtures; ++f) patch(f, 1, 4 * f);
    }

    // Allocations over `ticks` draws, after the first draws have made what
    // is made once (the screen's texts, its lists).
    static long allocations_over(int (*draw)(), int ticks, const std::function<void()>& between = {}) {
        for (int i = 0; i < 3; ++i) {
            if (between) between();
            draw();
        }
#if PRISMEL_COUNT_ALLOCATIONS
        const long before = g_allocations.load();
        for (int i = 0; i < ticks; ++i) {
            if (between) between();
            draw();
        }
        return g_allocations.load() - before;
#else
        (void)ticks;
        (void)between;
        return 0;
#endif
    }
};

TEST_F(SteadyDrawAllocation, NoDrawHandlerAllocatesOnASteadyScreen) {
#if !PRISMEL_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted in the build without sanitizers";
#else
    fill();
    const Screen screens[] = {
        {"run screen", runscr_open, runscr_draw, [] { runscr_close(); }},
        {"scene editor", editscn_open, editscn_draw, [this] { key(kKeyEsc); }},
        {"chase editor", editchs_open, editchs_draw, [this] { key(kKeyEsc); }},
        {"cue editor", editcue_open, editcue_draw, [this] { key(kKeyEsc); }},
        {"user colour editor", editcol_open, editcol_draw, [this] { key(kKeyEsc); }},
        {"function-key editor", editfky_open, editfky_draw, [this] { key(kKeyEsc); }},
        {"fixture patch editor", setpat_open, setpat_draw, [this] { key(kKeyEsc); }},
        {"data folder screen", diskop_open, diskop_draw, [] { diskop_close(); }},
    };
    for (const Screen& screen : screens) {
        ASSERT_EQ(screen.open(backdrop_), 1) << screen.name;
        // The tick also compares the open editor's tables with what it keeps of them.
        EXPECT_EQ(allocations_over(screen.draw, 50, [this] { keep_open_edits(screen_, EditClock::now()); }), 0)
            << screen.name;
        screen.close();
        ASSERT_EQ(screen_.top_window(), backdrop_) << screen.name;
    }
#endif
}

TEST_F(SteadyDrawAllocation, TheRunScreenFollowsAChaseWithoutAllocating) {
#if !PRISMEL_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted in the build without sanitizers";
#else
    fill();
    ASSERT_EQ(runscr_open(backdrop_), 1);
    g_engine.go_to_cue(3);  // a wait time running, a scene fading in, a chase stepping
    EXPECT_EQ(allocations_over(runscr_draw, 200, [this] { step(3); }), 0);
    keys_.shift = true;  // the auxiliary bar
    EXPECT_EQ(allocations_over(runscr_draw, 20, [this] { step(3); }), 0);
    runscr_close();
#endif
}

}  // namespace
}  // namespace prismel::test
