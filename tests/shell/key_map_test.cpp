// The key map of every screen against what its keys do: a key that the map
// does not list does nothing at all (no cell, message, table, engine field,
// input or window changes), so the map cannot leave out a key the screen
// handles. And Ctrl+H shows the map, whole, until any key closes it.
#include <gtest/gtest.h>

#include <functional>

#include "chwin/chw_key_map.h"
#include "chwin/chw_key_table.h"
#include "chwin/chw_list.h"
#include "data/show_files.h"
#include "screens/Diskop.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Runscr.h"
#include "screens/Setpat.h"
#include "screens/runscr_seams.h"
#include "screens/screen_window.h"
#include "screens/screen_fixture.h"
#include "shell/main_menu.h"

namespace prismel::test {
namespace {

struct ScreenCase {
    const char* name;
    std::function<ChwWindow*(ChwWindow* parent)> open;
    std::function<void()> close;
};

template <int (*Open)(ChwWindow*), ChwWindow* (*Window)(), int (*Close)()>
ScreenCase screen(const char* name) {
    return {name, [](ChwWindow* parent) { return Open(parent) ? Window() : nullptr; }, [] { Close(); }};
}

const ScreenCase kScreens[] = {
    screen<runscr_open, runscr_window, runscr_close>("run screen"),
    screen<editscn_open, editscn_window, editscn_close>("scene editor"),
    screen<editchs_open, editchs_window, editchs_close>("chase editor"),
    screen<editcue_open, editcue_window, editcue_close>("cue editor"),
    screen<editcol_open, editcol_window, editcol_close>("user colour editor"),
    screen<editfky_open, editfky_window, editfky_close>("function-key editor"),
    screen<setpat_open, setpat_window, setpat_close>("patch editor"),
    screen<diskop_open, diskop_window, diskop_close>("data folder screen"),
    {"main menu",
     [](ChwWindow*) { return g_screen ? create_main_menu(*g_screen) : nullptr; },
     [] {
         g_screen->close_window(g_main_menu, true);
         g_main_menu = nullptr;
     }},
};

// What a key could change, taken before and after it.
struct Observed {
    std::vector<ChwCell> cells;
    std::string message;
    std::vector<unsigned char> tables;
    std::vector<int> engine;
    std::size_t inputs = 0, questions = 0;
    const ChwWindow* top = nullptr;
    int monitor = 0;
    bool operator==(const Observed&) const = default;
};

class KeyMapTest : public ScreenTest {
protected:
    KeyMapTest() {
        // A show in which every key has something to act on.
        for (int sc = 0; sc < 20; ++sc) g_show.scenes[sc].colour[sc] = 1;
        set_chase(0, {1, 2, 3});
        use_cue(0, 1);
        use_cue(3, 2, 20, 0);
        set_fkey(0, kFkeyScene, 2);
        set_fkey(1, kFkeyChase, 0);
        patch(0, 1, 0);
        patch(1, 2, 4);
        runscr_seams().toggle_output_monitor = [this] { ++monitor_; };
        editscn_set_scene(0);
        editchs_set_chase(0);
    }
    ~KeyMapTest() override {
        close_key_map();
        runscr_seams() = RunscrSeams{};
    }

    Observed observe() {
        tick();
        Observed o;
        for (int r = 0; r < ChwScreen::kRows; ++r)
            for (int c = 0; c < ChwScreen::kColumns; ++c) o.cells.push_back(screen_.cell(c, r));
        o.message = host_.message;
        for (ShowTable t : kShowTables) {
            const std::vector<unsigned char> image = table_image(g_show, t);
            o.tables.insert(o.tables.end(), image.begin(), image.end());
        }
        const EngineFields f = fields();
        o.engine = {f.call_mode, f.scene_page, f.scene_call_xtime.value(), f.colour_preview, f.current_cue,
                    f.current_scene, f.current_chase, f.preview_cue, f.show_running, g_engine.snapshot_depth()};
        o.inputs = input_.requests.size();
        o.questions = box_.asked.size();
        o.top = screen_.top_window();
        o.monitor = monitor_;
        return o;
    }

    int monitor_ = 0;
};

// The rows a window's key map lists (key 0, the refresh, is no operator's key).
bool listed(const ChwWindow& w, int key, int flags) {
    if (key == kKeyMapKey && (flags & (kModShift | kModAlt | kModCtrl)) == kModCtrl) return true;
    const ChwKeyRow* row = find_key_row(w.key_table->keys, key, flags);
    if (row && row->what) return true;
    if (w.toolkit_keys && find_key_row(w.toolkit_keys->keys, key, flags)) return true;
    const int mods = flags & (kModShift | kModAlt | kModCtrl);
    if (w.key_table->cursor_keys)
        for (const ChwListKey& k : chw_list_keys())
            if (k.key == key && k.mods == mods) return true;
    return false;
}

TEST_F(KeyMapTest, AKeyTheMapDoesNotListDoesNothing) {
    const int modifier_sets[] = {0, kModShift, kModCtrl, kModAlt, kModShift | kModCtrl, kModCtrl | kModAlt};
    for (const ScreenCase& sc : kScreens) {
        SCOPED_TRACE(sc.name);
        ChwWindow* w = sc.open(backdrop_);
        ASSERT_NE(w, nullptr);
        ASSERT_NE(w->key_table, nullptr);
        int unlisted = 0;
        for (int k = 1; k < 256; ++k) {
            for (int flags : modifier_sets) {
                if (listed(*w, map_numpad(k), flags)) continue;  // keypad digits arrive as digits
                ++unlisted;
                const Observed before = observe();
                key(k, flags);
                if (observe() != before) ADD_FAILURE() << "key " << k << " flags " << flags << " acts unlisted";
                ASSERT_EQ(screen_.top_window(), w);
            }
        }
        EXPECT_GT(unlisted, 1000);
        sc.close();
    }
}

TEST_F(KeyMapTest, CtrlHShowsEveryLineWholeUntilAnyKeyClosesIt) {
    for (const ScreenCase& sc : kScreens) {
        SCOPED_TRACE(sc.name);
        ChwWindow* w = sc.open(backdrop_);
        ASSERT_NE(w, nullptr);
        const std::vector<KeyMapLine> lines = key_map_lines(*w);
        for (const KeyMapLine& l : lines) {
            EXPECT_LE(sjs(l.keys.c_str()).size(), std::size_t(kKeyMapKeyBytes)) << l.keys;
            EXPECT_LE(sjs(l.what.c_str()).size(), std::size_t(kKeyMapWhatBytes)) << l.what;
        }
        EXPECT_EQ(w->toolkit_keys != nullptr, w->edited_tables != 0);  // editors list the toolkit's keys
        const Observed before = observe();
        key(kKeyMapKey, kModCtrl);
        deliver_key_release(screen_, kKeyCtrl, 0);  // letting Ctrl go keeps it
        ASSERT_TRUE(key_map_is_open());
        tick();
        EXPECT_EQ(row(2, 3, int(sjs(lines[0].keys.c_str()).size())), lines[0].keys);
        EXPECT_EQ(key(kKeyF1), kResultWindowClosed);  // a key that would act on the screen only closes it
        EXPECT_EQ(screen_.top_window(), w);
        EXPECT_EQ(observe().tables, before.tables);
        sc.close();
    }
}

}  // namespace
}  // namespace prismel::test
