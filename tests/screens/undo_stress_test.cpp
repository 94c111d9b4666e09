// Undo and redo against the step (see step_thread.h): the chase editor's
// test plays the chase being edited and undone, the scene editor's output
// the scene, and every put-back of a table is a write under the engine's
// guard. At the end, from the newest state, undoing all and redoing all
// gives the tables back.
#include "screen_fixture.h"
#include "step_thread.h"
#include "data/show_files.h"
#include "screens/Editchs.h"
#include "screens/Editscn.h"
#include "screens/table_history.h"
#include "screens/undo_keys.h"

namespace prismel::test {
namespace {

class UndoStress : public ScreenTest {
protected:
    UndoStress() {
        clear_edit_histories();
        editscn_reset();
        editchs_set_chase(0);
        editchs_set_test_rate(StoredDuration(1));
        stress_show();
    }
    ~UndoStress() override {
        editscn_close();
        editchs_close();
        editscn_reset();
    }
};

TEST_F(UndoStress, UndoAndRedoOfThePlayingTablesAgainstTheStep) {
    ASSERT_EQ(editchs_open(backdrop_), 1);
    key(kKeyF9);  // the chase on stage
    long steps = run_against_the_step(
        [this](int i) {
            switch (i % 8) {
            case 0: input_.type(std::to_string(1 + i % 9)); key('1'); break;
            case 1: key(kKeyDelete); break;
            case 2: key(kKeyZ, kModCtrl); break;
            case 3: if (i % 32 == 3) { box_.answer(kResultOk); key(kKeyF7); } break;
            case 4: key('Y', kModCtrl); break;
            case 5: key(kKeyZ, kModCtrl); key(kKeyZ, kModCtrl); break;
            case 6: key(kKeyZ, kModCtrl | kModShift); break;
            default: key(kKeyDown); break;
            }
            tick();
        },
        600);
    key(kKeyHome);
    input_.type("2");
    key('2');
    key(kKeyHome);
    key(kKeyF5);  // the first step's scene, over the chase editor
    ASSERT_TRUE(editscn_is_open());
    key(kKeyF9);  // the scene on stage
    steps += run_against_the_step(
        [this](int i) {
            switch (i % 6) {
            case 0: input_.type(std::to_string(i % 101)); key(kKeyF4); break;
            case 1: key(kKeyF6); key(kKeyDelete); break;
            case 2: key(kKeyZ, kModCtrl); break;
            case 3: key(kKeyF1, kModShift); break;
            case 4: key('Y', kModCtrl); break;
            default: key(kKeyZ, kModCtrl); key(kKeyZ, kModCtrl); break;
            }
            tick();
        },
        600);
    // From the newest state, all the history holds taken back and done
    // again: the tables as they were.
    for (ShowTable t : {ShowTable::kScenes, ShowTable::kChases}) {
        for (int i = 0; i <= TableHistory::kSteps; ++i) key('Y', kModCtrl);
        const std::vector<unsigned char> now = table_image(g_show, t);
        for (int i = 0; i <= TableHistory::kSteps; ++i) key(kKeyZ, kModCtrl);
        for (int i = 0; i <= TableHistory::kSteps; ++i) key('Y', kModCtrl);
        EXPECT_TRUE(table_image(g_show, t) == now) << extension_of(t);
        key(kKeyEsc);
    }
    expect_closes_clean(steps);
}

}  // namespace
}  // namespace prismel::test
