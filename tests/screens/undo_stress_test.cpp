// Undo and redo against the step (see step_thread.h), of the chase its test
// plays and of the scene the scene editor puts on stage over it. Afterwards,
// from the newest state, undoing and redoing all gives the tables back.
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
    ~UndoStress() override {
        editscn_close();
        editchs_close();
        editscn_reset();
    }
    // Keys of the script in turn, an undo or redo between each two.
    long run(std::vector<int> script) {
        return run_against_the_step(
            [&](int i) {
                const int k = script[static_cast<std::size_t>(i / 2) % script.size()];
                if (i % 2) key(i % 6 == 5 ? 'Y' : kKeyZ, i % 10 == 3 ? kModCtrl | kModShift : kModCtrl);
                else if (k == '1') input_.type(std::to_string(1 + i % 9)), key(k);
                else if (k == kKeyF4) input_.type(std::to_string(i % 101)), key(k);
                else if (k == kKeyF7) box_.answer(kResultOk), key(k);
                else key(k);
                tick();
            },
            600);
    }
};

TEST_F(UndoStress, UndoAndRedoOfThePlayingTablesAgainstTheStep) {
    clear_edit_histories();
    editscn_reset();
    editchs_set_chase(0);
    editchs_set_test_rate(StoredDuration(1));
    stress_show();
    ASSERT_EQ(editchs_open(backdrop_), 1);
    key(kKeyF9);  // the chase on stage
    long steps = run({'1', kKeyDelete, kKeyDown, '1', kKeyF7, kKeyDown});
    key(kKeyHome);
    input_.type("2");
    key('2');
    key(kKeyHome);
    key(kKeyF5);  // the first step's scene, over the chase editor
    ASSERT_TRUE(editscn_is_open());
    key(kKeyF9);  // the scene on stage
    steps += run({kKeyF4, kKeyF6, kKeyDelete, kKeyF6, kKeyRight});
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
