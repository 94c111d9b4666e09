// Keys that are refused or have nothing to act on say why on the message
// line, with the error beep, on every screen; and what they refuse stays as
// it was.
#include <functional>

#include "diskop_fixture.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Runscr.h"
#include "screens/Setpat.h"
#include "screens/runscr_seams.h"

namespace prismel::test {
namespace {

class SilentKeys : public DiskopTest {
public:
    // For the cases' preparations.
    using ScreenTest::input_;
    using ScreenTest::key;
    using DiskopTest::make_folders;

protected:
    ~SilentKeys() override {
        for (int (*close)() : {runscr_close, editscn_close, editchs_close, editcue_close, editcol_close, editfky_close,
                               setpat_close})
            close();
        editscn_reset();
    }
};

struct SilentCase {
    const char* what;
    int (*open)(ChwWindow*);
    // The show and the screen's state before the keys (after the open).
    std::function<void(SilentKeys&)> prepare;
    std::vector<int> keys;
    const char* says;
};

TEST_F(SilentKeys, EachSaysWhyWithTheBeepAndChangesNothing) {
    auto type = [](const char* text) { return [text](SilentKeys& t) { t.input_.type(text); }; };
    auto to_column = [](int column) {
        return [column](SilentKeys& t) {
            for (int i = 0; i < column; ++i) t.key(kKeyRight);
        };
    };
    const SilentCase cases[] = {
        // Run screen (the playback actions' refusals, as every remote gets them)
        {"GO with no cue to go to", runscr_open, {}, {kKeyEnter}, "次のキューがありません"},
        {"BACK in standby", runscr_open, {}, {kKeyBack}, "前のキューがありません"},
        {"again in standby", runscr_open, {}, {kKeyDelete}, "実行中のキューがありません"},
        {"an empty scene called", runscr_open, {}, {kKeyF3}, "色のないシーンは呼び出せません"},
        {"a preset key never set", runscr_open, {}, {kKeyHome, kKeyF1}, "このファンクションキーは未設定です"},
        {"a preset whose cue is not used", runscr_open, [](SilentKeys&) { set_fkey(0, kFkeyCue, 4); },
         {kKeyHome, kKeyF1}, "プリセットのキューがありません"},
        {"a scene preset without its scene", runscr_open, [](SilentKeys&) { set_fkey(0, kFkeyScene, kNone); },
         {kKeyHome, kKeyF1}, "プリセットのシーンがありません"},
        {"a chase preset without its chase", runscr_open, [](SilentKeys&) { set_fkey(0, kFkeyChase, 77); },
         {kKeyHome, kKeyF1}, "プリセットのチェイスがありません"},
        {"a chase preset on a chase without steps", runscr_open, [](SilentKeys&) { set_fkey(0, kFkeyChase, 3); },
         {kKeyHome, kKeyF1}, "ステップのないチェイスは開始できません"},
        {"the page before the first", runscr_open, {}, {kKeyUp}, "最初のページです"},
        {"pages in preset call", runscr_open, {}, {kKeyHome, kKeyDown}, "ページはシーン呼び出しの時だけです"},
        {"preview without Shift", runscr_open, {}, {kKeyRight}, "前後のキューの確認はShift+←／→です"},
        // Scene editor
        {"+1 copy on scene 200", editscn_open, type("200"), {kKeyF1, kKeyF8},
         "最後のシーンです: +1ｺﾋﾟｰできません"},
        {"a scene key without a scene", editscn_open, [](SilentKeys&) { editscn_set_scene(kNone); },
         {kKeyDelete}, "シーンが選ばれていません (F1で選ぶ)"},
        // Chase editor
        {"output of a chase without steps", editchs_open, {}, {kKeyF9}, "ステップのないチェイスは出力できません"},
        {"Delete after the last step", editchs_open,
         [](SilentKeys& t) {
             set_chase(0, {4});
             t.key(kKeyHome);
         },
         {kKeyDown, kKeyDelete}, "カーソルの位置にステップがありません"},
        {"a chase key without a chase", editchs_open, [](SilentKeys&) { editchs_set_chase(kNone); }, {kKeyF7},
         "チェイスが選ばれていません (F1で選ぶ)"},
        // Cue editor
        {"a digit in the mode column", editcue_open, to_column(7), {'5'}, "モードはLかSで選びます"},
        {"L outside the mode column", editcue_open, {}, {'L'}, "LとSはモードの欄で使います"},
        {"Delete on a time", editcue_open, to_column(1), {kKeyDelete}, "Delはシーンとチェイスの欄で使います"},
        {"a cue number no cue carries", editcue_open, type("1500"), {'1'}, "該当するｷｭｰNo.はありません"},
        // User colour editor
        {"a level stepped past 255", editcol_open,
         [](SilentKeys& t) {
             g_show.colours.rec[400].y = 255;
             t.key(kKeyRight);
             t.key(kKeyRight);
         },
         {kKeyF6}, "これ以上上げられません (255)"},
        {"a level stepped below 0", editcol_open, to_column(3), {kKeyF5}, "これ以上下げられません (0)"},
        {"a letter in a level column", editcol_open, to_column(2), {'K'}, "この欄は数字で入れます"},
        {"Delete on a user colour", editcol_open, {}, {kKeyDelete}, "ユーザ色は消去できません"},
        // Function-key editor
        {"a digit on a key without a type", editfky_open, {}, {'3'}, "先にF1～F3でタイプを選んでください"},
        {"a digit on a scene key's type", editfky_open, [](SilentKeys&) { set_fkey(0, kFkeyScene, 2); }, {'3'},
         "この欄には入力できません"},
        // Data folder screen (and, in their screens' own tests: a cue number no
        // cue carries in the function-key editor, continuing after an
        // unpatched fixture, a folder name with a refused character)
        {"delete with no folder", diskop_open, {}, {kKeyF2}, "データフォルダがありません"},
        {"a new folder whose name exists", diskop_open, [](SilentKeys& t) {
             t.make_folders({"SHOW"});
             t.key(kKeyF4);  // scanned again
             t.input_.type("SHOW");
         },
         {kKeyF1}, "同じ名前のフォルダがあります"},
    };
    for (const SilentCase& c : cases) {
        SCOPED_TRACE(c.what);
        reset_show(g_show);
        g_engine.initialise();  // scene call, page 1, standby
        while (g_engine.hold_count() > 0) g_engine.release();
        for (int sc = 0; sc < 10; ++sc) g_show.scenes[sc].colour[0] = 1;  // scene 3's own is emptied below
        g_show.scenes[2].colour[0] = kNone;
        ASSERT_EQ(c.open(backdrop_), 1);
        if (c.prepare) c.prepare(*this);
        std::vector<std::vector<unsigned char>> tables;
        for (ShowTable t : kShowTables) tables.push_back(table_image(g_show, t));
        const int cue = fields().current_cue, scene = fields().current_scene, chase = fields().current_chase;
        const int beeps = host_.beeps;
        for (int k : c.keys) key(k);
        EXPECT_EQ(message(), c.says);
        EXPECT_EQ(host_.beeps, beeps + 1);
        for (ShowTable t : kShowTables) EXPECT_EQ(table_image(g_show, t), tables[static_cast<int>(t)]);
        EXPECT_EQ(fields().current_cue, cue);
        EXPECT_EQ(fields().current_scene, scene);
        EXPECT_EQ(fields().current_chase, chase);
        EXPECT_EQ(screen_.top_window()->parent, backdrop_);  // the screen is still on top, nothing above it
        key(kKeyEsc);
        ASSERT_EQ(screen_.top_window(), backdrop_);
    }
}

}  // namespace
}  // namespace prismel::test
