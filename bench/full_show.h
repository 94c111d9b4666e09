#pragma once
// A full show for the screens' benchmarks (every colour named, every scene
// named and lit, every chase 48 steps, every cue used, every fixture
// patched) on a 128 x 64 screen that counts what the writer invalidated.
#include <cstdio>
#include <cstring>

#include "chwin/Chwinform.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"

namespace prismel::bench {

class CountingHost : public ChwHost {
public:
    void invalidate(const ChwRect&, bool) override { ++invalidations; }
    void repaint_now(const ChwRect&) override {}
    void set_message_line(const char*) override {}
    void beep() override {}
    long invalidations = 0;
};

inline void fill_show() {
    for (int i = 0; i < kColours; ++i) {
        ColourRecord& c = g_show.colours.rec[i];
        std::snprintf(c.name, sizeof c.name, "C%03d", i % 1000);
        c.y = static_cast<uint8_t>(i * 7);
        c.m = static_cast<uint8_t>(i * 13);
        c.c = static_cast<uint8_t>(i * 29);
    }
    for (int s = 0; s < kScenes; ++s) {
        SceneRecord& r = g_show.scenes[s];
        std::snprintf(r.name, sizeof r.name, "SCENE NUMBER %03d", s + 1);
        for (int f = 0; f < kFixtures; ++f) {
            // Half the fixtures of odd scenes are left to the chase.
            r.colour[f] = static_cast<int16_t>((s % 2 && f % 2) ? kNone : (s * 3 + f) % kColours);
            r.size[f] = 255;
        }
    }
    for (int c = 0; c < kChases; ++c) {
        ChaseRecord& r = g_show.chases[c];
        std::snprintf(r.name, sizeof r.name, "CHASE %02d", c + 1);
        r.step_count = kChaseSteps;
        for (int k = 0; k < kChaseSteps; ++k) r.steps[k] = static_cast<int16_t>((c + k) % kScenes);
    }
    for (int i = 0; i < kCues; ++i) {
        CueRecord& q = g_show.cues[i];
        q.scene = static_cast<int16_t>(i % kScenes);
        q.chase = static_cast<int16_t>(i % kChases);
        q.wait = static_cast<int16_t>(i % 3 == 0 ? 40 : 0);
    }
    for (int f = 0; f < kFixtures; ++f) g_show.patch[f] = PatchRecord{1, static_cast<int16_t>(f * 4)};
}

// The screen with its backdrop and the engine as after start-up.
struct BenchScreen {
    CountingHost host;
    ChwScreen screen{&host};
    ChwWindow* backdrop = nullptr;

    BenchScreen() {
        g_screen = &screen;
        screen.set_fkey_row(screen.visible_rows() - 2);
        backdrop = screen.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        backdrop->key_handler = [](int, int) { return 0; };
        screen.show_window(backdrop);
        fill_show();
        g_engine.initialise();
        while (g_engine.hold_count() > 0) g_engine.release();
    }
    ~BenchScreen() {
        g_engine.shut_down();
        screen.close_window(backdrop, true);
        g_screen = nullptr;
    }

    struct Cells {
        ChwCell cell[ChwScreen::kRows][ChwScreen::kColumns];
    };
    Cells cells() const {
        Cells c;
        for (int r = 0; r < ChwScreen::kRows; ++r)
            for (int col = 0; col < ChwScreen::kColumns; ++col) c.cell[r][col] = screen.cell(col, r);
        return c;
    }
    // Cells that differ from an earlier copy.
    long changed_since(const Cells& before) const {
        long n = 0;
        for (int r = 0; r < ChwScreen::kRows; ++r)
            for (int col = 0; col < ChwScreen::kColumns; ++col) n += !(before.cell[r][col] == screen.cell(col, r));
        return n;
    }
};

}  // namespace prismel::bench
