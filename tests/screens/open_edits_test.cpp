// What the toolkit keeps of the open editors: tables on disk soon after
// each change while the editor stays open, and every screen closed through
// its own exit at an orderly end.
#include <chrono>
#include <functional>
#include <memory>

#include "data/show_files.h"
#include "screen_fixture.h"
#include "screens/Editchs.h"
#include "screens/Editcue.h"
#include "screens/Editscn.h"
#include "screens/edit_keeper.h"
#include "screens/edited_tables.h"
#include "screens/screen_exits.h"

namespace prismel::test {
namespace {

using std::chrono::milliseconds;

class OpenEdits : public ScreenTest {
protected:
    OpenEdits() { reset_kept_edits(); }
    ~OpenEdits() override {
        if (child_) close_child();
        if (editor_) close_editor();
        editscn_close();
        editchs_close();
        editcue_close();
    }
    // A window that edits the scenes and groups, as the scene editor's does.
    void open_editor() {
        editor_ = screen_.create_window(backdrop_, "", kStyleFramed, 2, 2, 40, 20);
        editor_->edited_tables = table_bit(ShowTable::kScenes) | table_bit(ShowTable::kGroups);
        screen_.show_window(editor_);
    }
    void close_editor() {
        screen_.close_window(editor_, true);
        editor_ = nullptr;
    }
    // A window that edits nothing over the editor, as a reference list.
    void open_child() {
        child_ = screen_.create_window(editor_, "", kStyleFramed, 50, 2, 60, 20);
        screen_.show_window(child_);
    }
    void close_child() {
        screen_.close_window(child_, true);
        child_ = nullptr;
    }
    bool on_disk(ShowTable t) const {
        return read_bytes(show_file_name(folder_.folder(), t)) == table_image(g_show, t);
    }
    ChwWindow* editor_ = nullptr;
    ChwWindow* child_ = nullptr;
};

TEST_F(OpenEdits, AChangedTableIsWrittenAboutASecondAfterTheTickThatSawIt) {
    const EditClock::time_point t0 = EditClock::now();
    struct Tick {
        int at_ms;
        std::function<void()> before;
        bool scenes_on_disk;  // the scene file holds the table after this tick
        bool cues_on_disk;
    };
    auto rename = [](const char* name) { return [name] { name_scene(3, name); }; };
    const Tick ticks[] = {
        {0, [this] { open_editor(); }, false, false},        // the image is taken
        {3000, {}, false, false},                             // nothing changed: nothing written
        {3050, rename("ONE"), false, false},                  // seen, not yet written
        {3500, rename("TWO"), false, false},                  // a second change rides along
        {4049, {}, false, false},
        {4050, {}, true, false},                              // both on disk in one write
        {4100, [] { use_cue(5, 3); }, true, false},           // no open window edits the cues
        {9000, {}, true, false},
        {9050, [this, rename] { open_child(); rename("THREE")(); }, false, false},  // a pick list over the editor
        {10050, {}, true, false},
        {10100, {}, true, false},
        {10110, [this, rename] { close_child(); close_editor(); rename("FOUR")(); }, false, false},
        {12000, {}, false, false},                            // closed: left to the editor's own close
    };
    int written = 0;
    for (const Tick& t : ticks) {
        if (t.before) t.before();
        written += keep_open_edits(screen_, t0 + milliseconds(t.at_ms));
        EXPECT_EQ(on_disk(ShowTable::kScenes), t.scenes_on_disk) << "tick at " << t.at_ms << " ms";
        EXPECT_EQ(on_disk(ShowTable::kCues), t.cues_on_disk) << "tick at " << t.at_ms << " ms";
    }
    EXPECT_EQ(written, 2);
}

// An orderly end with the cue editor, the chase editor over it and the scene
// editor (playing its scene) over that: each closes through its own exit,
// top first, writes its table and gives the live show back.
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

    EXPECT_EQ(close_open_screens(screen_), 3);
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(fields().current_cue, 0);
    for (ShowTable t : {ShowTable::kScenes, ShowTable::kChases, ShowTable::kCues})
        EXPECT_TRUE(on_disk(t)) << extension_of(t);
}

}  // namespace
}  // namespace prismel::test
