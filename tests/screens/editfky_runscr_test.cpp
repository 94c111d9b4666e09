// Presets edited in the function-key editor, fired by the run screen in
// preset call mode: it reads the records as they are at the press.
#include <cstring>

#include "editfky_fixture.h"
#include "runscr_fixture.h"

namespace prismel::test {
namespace {

class EditfkyThenRunscr : public RunscrTest {
protected:
    static constexpr int kEditLeft = 4;
    ~EditfkyThenRunscr() override { editfky_close(); }

    // Opens the editor on key k, runs the edit, leaves with Esc.
    template <typename Edit>
    void edit_key(int k, Edit edit) {
        ASSERT_EQ(editfky_open(backdrop_), 1);
        key(kKeyHome);
        for (int i = 0; i < k; ++i) key(kKeyDown);
        edit();
        ASSERT_EQ(key(kKeyEsc), kResultRedrawTop);
    }
    void open_in_preset_mode() {
        open();
        if (fields().call_mode == 0) key(kKeyHome);
        tick();
    }
};

TEST_F(EditfkyThenRunscr, AKeyEditedToSceneThreeCallsSceneThree) {
    g_show.scenes[2].colour[0] = 1;
    edit_key(4, [&] {
        key(kKeyF2);
        input_.type("3");
        key(kKeyEnter);
    });
    open_in_preset_mode();
    key(kKeyF5);
    EXPECT_EQ(fields().current_scene, 2);
    EXPECT_EQ(fields().scene_cross_total, steps_of(StoredDuration(20)));
    EXPECT_EQ(bar(), "||||SCN  3||||||$$");
}

TEST_F(EditfkyThenRunscr, AChaseKeyTurnedIntoASceneShowsNoLabelAndIsRefused) {
    set_chase(4, {1});
    set_fkey(0, kFkeyChase, 4, 20, 20, "CHS  5");
    use_cue(2, 7);
    edit_key(0, [&] { key(kKeyF2); });
    open_in_preset_mode();
    EXPECT_EQ(bar(), "||||||||||$$");
    key(kKeyEnter);
    ASSERT_EQ(fields().current_scene, 7);
    key(kKeyF1);  // no scene chosen yet: the stage stays
    EXPECT_EQ(fields().current_scene, 7);
    EXPECT_EQ(message(), "プリセットのシーンがありません");
}

TEST_F(EditfkyThenRunscr, ACuePresetFiresTheCueNowAtItsPosition) {
    use_cue(3, 5);  // number 40
    edit_key(1, [&] {
        key(kKeyF1);
        input_.type("4");
        key('4');
    });
    ASSERT_EQ(g_show.fkeys[1].target, 3);
    ASSERT_EQ(g_show.cues.insert(1, 15), 1);  // cue 4 moves to index 4
    use_cue(3, 9);                            // number 30 now sits where the preset points
    open_in_preset_mode();
    EXPECT_EQ(bar(), "|   4.|||||||||$$");
    key(kKeyF2);
    EXPECT_EQ(fields().current_cue, 3);
    EXPECT_EQ(fields().current_scene, 9);
}

TEST_F(EditfkyThenRunscr, DamagedRecordsFireNothingWrong) {
    use_cue(0, 6);
    set_fkey(0, 7, 3);                  // unknown type
    set_fkey(1, kFkeyScene, 900, 10);   // scene past the table
    set_fkey(2, kFkeyChase, 900);       // chase past the table
    set_fkey(3, kFkeyCue, 5000);        // cue past the table
    std::memcpy(g_show.fkeys[0].label, "ABCDEFGH", 8);
    open_in_preset_mode();
    EXPECT_EQ(bar(), "ABCDEF||||||||||$$");
    key(kKeyEnter);
    key(kKeyF1);
    EXPECT_EQ(fields().current_cue, 0);
    EXPECT_EQ(fields().current_scene, 6);
    key(kKeyF2);
    key(kKeyF3);
    key(kKeyF4);
    // Each is refused with its word; the cue plays on.
    EXPECT_EQ(message(), "プリセットのキューがありません");
    EXPECT_EQ(fields().current_cue, 0);
    EXPECT_EQ(fields().current_scene, 6);
    EXPECT_EQ(fields().current_chase, kNone);
}

}  // namespace
}  // namespace prismel::test
