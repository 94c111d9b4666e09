// The editors open on top of each other: the scene editor from the chase and
// cue editors, the chase editor from the cue editor; Esc comes back down the
// stack to the window that opened it, which takes the keys again.
#include <functional>

#include "screen_fixture.h"
#include "screens/Editchs.h"
#include "screens/Editcue.h"
#include "screens/Editscn.h"

namespace prismel::test {
namespace {

class EditorStack : public ScreenTest {
protected:
    EditorStack() {
        editscn_reset();
        name_scene(4, "FIVE");
        set_chase(2, {4, 6});
        use_cue(0, 4, 20, 2);
        use_cue(1, 6);
    }
    ~EditorStack() override {
        editscn_close();
        editchs_close();
        editcue_close();
    }
};

TEST_F(EditorStack, SceneAndChaseEditorsOpenOverTheCueEditorAndEscComesBack) {
    ASSERT_EQ(editcue_open(backdrop_), 1);
    tick();

    key(kKeyF4);  // the cursor cue's scene
    ASSERT_TRUE(editscn_is_open());
    EXPECT_EQ(screen_.top_window(), editscn_window());
    EXPECT_EQ(editscn_window()->parent, editcue_window());
    EXPECT_EQ(editscn_scene(), 4);
    tick();
    EXPECT_NE(row(editscn_window()->top + 1).find("FIVE"), std::string::npos);
    key(kKeyEsc);
    EXPECT_FALSE(editscn_is_open());
    EXPECT_EQ(screen_.top_window(), editcue_window());
    EXPECT_EQ(editcue_window()->active, 1);

    key(kKeyF5);  // the cursor cue's chase, and from its first step the scene editor
    ASSERT_TRUE(editchs_is_open());
    EXPECT_EQ(editchs_chase(), 2);
    EXPECT_EQ(editchs_window()->parent, editcue_window());
    key(kKeyF5);
    ASSERT_TRUE(editscn_is_open());
    EXPECT_EQ(editscn_window()->parent, editchs_window());
    EXPECT_EQ(editscn_scene(), 4);
    key(kKeyEsc);
    EXPECT_EQ(screen_.top_window(), editchs_window());
    key(kKeyEsc);
    EXPECT_EQ(screen_.top_window(), editcue_window());
    key(kKeyEsc);
    EXPECT_EQ(screen_.top_window(), backdrop_);
}

// Each editor notes the snapshot depth when it opens and gives back only what
// its own "出力" parked: a test of another's below it stays.
TEST_F(EditorStack, EachEditorGivesBackOnlyItsOwnTest) {
    struct Editor {
        const char* name;
        std::function<int(ChwWindow*)> open;
    } const editors[] = {{"scene", editscn_open},
                         {"chase", [](ChwWindow* parent) { editchs_set_chase(2); return editchs_open(parent); }},
                         {"cue", editcue_open}};  // the cursor on cue 1, the show playing cue 2
    for (const Editor& e : editors) {
        SCOPED_TRACE(e.name);
        g_engine.go_to_cue(1);
        g_engine.push_snapshot();  // another editor's test below this one
        ASSERT_EQ(e.open(backdrop_), 1);
        tick();
        key(kKeyF9);
        EXPECT_EQ(g_engine.snapshot_depth(), 2);
        key(kKeyF9);
        EXPECT_EQ(g_engine.snapshot_depth(), 1);
        EXPECT_EQ(fields().current_cue, 1);
        key(kKeyF9);
        key(kKeyEsc);
        EXPECT_EQ(screen_.top_window(), backdrop_);
        EXPECT_EQ(g_engine.snapshot_depth(), 1);
        EXPECT_EQ(fields().current_cue, 1);
        EXPECT_EQ(g_engine.hold_count(), 0);
        g_engine.pop_snapshot(0);
    }
}

}  // namespace
}  // namespace prismel::test
