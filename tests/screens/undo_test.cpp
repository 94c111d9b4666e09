// Each editor's actions, applied by keys, taken back whole by Ctrl+Z and done
// again by Ctrl+Y or Ctrl+Shift+Z, the tables compared byte for byte.
#include <functional>
#include <string>

#include "screen_fixture.h"
#include "data/show_files.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Setpat.h"
#include "screens/show_reload.h"
#include "screens/undo_keys.h"

namespace prismel::test {
namespace {

std::vector<unsigned char> all_tables() {
    std::vector<unsigned char> all;
    for (ShowTable t : kShowTables) {
        const std::vector<unsigned char> image = table_image(g_show, t);
        all.insert(all.end(), image.begin(), image.end());
    }
    return all;
}

class Undo : public ScreenTest {
protected:
    Undo() {
        clear_edit_histories();
        editscn_reset();
        editchs_set_chase(0);
        screen_.beep_option = true;
        stress_show();
        name_scene(1, "NEXT");
        for (int i = 0; i < 3; ++i) use_cue(i, 10 + i);
    }
    ~Undo() override {
        clear_edit_histories();
        for (int (*close)() : {editscn_close, editchs_close, editcue_close, editcol_close, editfky_close, setpat_close})
            close();
        editscn_reset();
    }
    void undo() { key(kKeyZ, kModCtrl); }
    void redo() { key('Y', kModCtrl); }
};

TEST_F(Undo, EveryEditorsActionsGoBackAndComeAgainWhole) {
    const struct Case {
        int (*open)(ChwWindow*);
        std::function<void()> act;
        const char* said;  // after "元に戻す: " and "やり直す: "
    } cases[] = {
        {editscn_open, [&] { key(kKeyF6); key(kKeyDelete); }, "シーン1 色とサイズを消す"},
        {editscn_open, [&] { box_.answer(kResultOk); key(kKeyF8); }, "シーン2 次のシーンへ+1コピー"},
        {editscn_open, [&] { key(kKeyF5); key(kKeyDown); key(kKeyEnter); }, "シーン2 色の一覧から色を付ける"},
        {editscn_open, [&] { key(kKeyF3, kModCtrl); }, "グループ3 今のマークをグループに"},
        {editchs_open, [&] { input_.type("7"); key('7'); }, "チェイス1 シーン番号でステップを挿入"},
        {editchs_open, [&] { box_.answer(kResultOk); key(kKeyF7); }, "チェイス1 全ステップをクリア"},
        {editcue_open, [&] { for (const char* t : {"1", "3", "10"}) input_.type(t); key(kKeyF8); },
         "キュー10.～12. 範囲をコピー"},
        {editcue_open, [&] { input_.type("1.5"); key(kKeyDown); key(kKeyF6); }, "キュー2.～1000. 前にポイントキューを挿入"},
        {editcue_open, [&] { key(kKeyRight); for (int i = 0; i < 3; ++i) wheel(1, kModShift); },
         "キュー1. 時間を0.1秒増やす／減らす"},
        {editcol_open, [&] { key(kKeyRight); key(kKeyRight); for (int i = 0; i < 5; ++i) key(kKeyF6); },
         "ユーザ色401 値を1上げる"},
        {editfky_open, [&] { key(kKeyF2); }, "F1 シーンのプリセットにする"},
        {setpat_open, [&] { box_.answer(kResultOk); key(kKeyF8); }, "灯体1～64 全部のパッチを解除"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        clear_edit_histories();
        ASSERT_EQ(c.open(backdrop_), 1);
        const std::vector<unsigned char> before = all_tables();
        c.act();
        const std::vector<unsigned char> after = all_tables();
        ASSERT_NE(after, before);
        const int beeps = host_.beeps;
        undo();
        deliver_key_release(screen_, kKeyCtrl, 0);  // letting Ctrl go leaves the message up
        EXPECT_TRUE(all_tables() == before);
        EXPECT_EQ(message(), std::string("元に戻す: ") + c.said);
        undo();
        EXPECT_EQ(message(), "元に戻す変更はありません");
        redo();
        EXPECT_TRUE(all_tables() == after);
        EXPECT_EQ(message(), std::string("やり直す: ") + c.said);
        undo();
        key(kKeyZ, kModCtrl | kModShift);
        EXPECT_TRUE(all_tables() == after);
        redo();
        EXPECT_EQ(message(), "やり直す変更はありません");
        EXPECT_EQ(host_.beeps, beeps + 2);  // the refusals only
        EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    }
}

// A hundred steps, across closing and reopening; a new show ends them.
TEST_F(Undo, StepsLastWhileTheConsoleRunsUntilTheShowIsReplaced) {
    ASSERT_EQ(editchs_open(backdrop_), 1);
    for (int i = 0; i < 105; ++i) {
        input_.type("N" + std::to_string(i));
        key(kKeyF2);
    }
    key(kKeyEsc);
    ASSERT_EQ(editchs_open(backdrop_), 1);
    for (int i = 0; i < 101; ++i) undo();
    EXPECT_EQ(std::string(g_show.chases[0].name), "N4");
    EXPECT_EQ(message(), "元に戻す変更はありません");
    const std::function<void()> replacements[] = {[&] { initialise_show(g_show, folder_.folder(), ""); },
                                                  [&] { reload_show(g_show, folder_.folder(), ""); }};
    for (const std::function<void()>& replace : replacements) {
        input_.type("X");
        key(kKeyF2);
        replace();
        undo();
        EXPECT_EQ(message(), "元に戻す変更はありません");
        redo();
        EXPECT_EQ(message(), "やり直す変更はありません");
    }
}

}  // namespace
}  // namespace prismel::test
