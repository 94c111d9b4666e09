// What the toolkit keeps of the open editors: their tables on disk soon
// after each change, and every screen closed through its own exit at an
// orderly end.
#include <functional>

#include "chwin/chw_key_map.h"
#include "screen_fixture.h"
#include "screens/Editchs.h"
#include "screens/Editcue.h"
#include "screens/Editscn.h"
#include "screens/edit_keeper.h"
#include "screens/edited_tables.h"
#include "screens/screen_exits.h"

namespace prismel::test {
namespace {

class OpenEdits : public ScreenTest {
protected:
    OpenEdits() { reset_kept_edits(); }
    ~OpenEdits() override {
        for (ChwWindow* w : {child_, editor_})
            if (w) screen_.close_window(w, true);
        editscn_close();
        editchs_close();
        editcue_close();
    }
    bool on_disk(ShowTable t) const {
        return read_bytes(show_file_name(folder_.folder(), t)) == table_image(g_show, t);
    }
    ChwWindow* editor_ = nullptr;  // edits the scenes and groups, as the scene editor's window
    ChwWindow* child_ = nullptr;   // edits nothing, over the editor, as a reference list
};

TEST_F(OpenEdits, AChangedTableIsWrittenASecondAfterTheTickThatSawIt) {
    auto open = [this] {
        editor_ = screen_.create_window(backdrop_, "", kStyleFramed, 2, 2, 40, 20);
        editor_->edited_tables = table_bit(ShowTable::kScenes) | table_bit(ShowTable::kGroups);
        screen_.show_window(editor_);
    };
    auto rename = [](const char* name) { return [name] { name_scene(3, name); }; };
    const struct {
        int at_ms;
        std::function<void()> before;
        bool scenes_on_disk;  // the scene file holds the table after this tick
    } ticks[] = {
        {0, open, false},                      // the image is taken
        {3000, {}, false},                     // nothing changed: nothing written
        {3050, rename("ONE"), false},          // seen, not yet written
        {3500, rename("TWO"), false},          // a second change rides along
        {4049, {}, false},
        {4050, {}, true},                      // both on disk in one write
        {4100, [] { use_cue(5, 3); }, true},   // no open window edits the cues
        {9050, [&] { child_ = screen_.create_window(editor_, "", kStyleFramed, 50, 2, 60, 20);
                     screen_.show_window(child_);
                     rename("THREE")(); }, false},
        {10050, {}, true},                     // the editor under a pick list still kept
        {10110, [&] { screen_.close_window(child_, true);
                      screen_.close_window(editor_, true);
                      child_ = editor_ = nullptr;
                      rename("FOUR")(); }, false},
        {12000, {}, false},                    // closed: left to the editor's own close
    };
    const EditClock::time_point t0 = EditClock::now();
    int written = 0;
    for (const auto& t : ticks) {
        if (t.before) t.before();
        written += keep_open_edits(screen_, t0 + std::chrono::milliseconds(t.at_ms));
        EXPECT_EQ(on_disk(ShowTable::kScenes), t.scenes_on_disk) << "tick at " << t.at_ms << " ms";
        EXPECT_FALSE(on_disk(ShowTable::kCues)) << "tick at " << t.at_ms << " ms";
    }
    EXPECT_EQ(written, 2);
}

// The cue editor, the chase editor over it and the scene editor (playing its
// scene) over that, with the key map over them all: each closes through its
// own exit, top first, writes its table and gives the live show back.
TEST_F(OpenEdits, AnOrderlyEndClosesEveryScreenTopFirst) {
    set_chase(2, {4, 6});
    use_cue(0, 4, 20, 2);
    g_engine.go_to_cue(0);
    ASSERT_EQ(editcue_open(backdrop_), 1);
    key(kKeyF5);  // the cursor cue's chase
    key(kKeyF5);  // its first step's scene
    ASSERT_TRUE(editscn_is_open());
    key(kKeyF9);  // the scene editor's output test
    EXPECT_EQ(g_engine.snapshot_depth(), 1);
    name_scene(4, "EDITED");
    g_show.chases[2].steps[1] = 7;
    use_cue(1, 9);
    key('H', kModCtrl);  // the key map
    ASSERT_TRUE(key_map_is_open());

    EXPECT_EQ(close_open_screens(screen_), 4);
    EXPECT_FALSE(key_map_is_open());
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(fields().current_cue, 0);
    for (ShowTable t : {ShowTable::kScenes, ShowTable::kChases, ShowTable::kCues})
        EXPECT_TRUE(on_disk(t)) << extension_of(t);
}

}  // namespace
}  // namespace prismel::test
