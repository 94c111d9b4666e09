// The data folder screen: the folder list, new and deleted folders, the data
// location, and saving and loading a show.
#include "diskop_fixture.h"

#include <algorithm>
#include <fstream>

namespace prismel::test {
namespace {

namespace fs = std::filesystem;

TEST_F(DiskopTest, OpeningCreatesTheDefaultLocationAndF4AloneDoesNot) {
    open();
    EXPECT_TRUE(fs::is_directory(data_location()));
    EXPECT_EQ(diskop_data_location(), data_location());
    EXPECT_EQ(row(0, 4, 47).find(" データの保存/読み込み"), 0u);
    EXPECT_EQ(row(1, 5, 44), data_location() + std::string(44 - data_location().size(), ' '));
    EXPECT_EQ(row(2, 5, 45), " データフォルダ名  更新日                    ");
    EXPECT_EQ(bar(), " 新規| 削除|ﾌｫﾙﾀﾞ|ﾃﾞﾌｫﾙﾄ| 保存|$ 読込");

    fs::remove(data_location());
    diskop_set_data_location(folder_.folder());
    key(kKeyF4);
    EXPECT_EQ(diskop_data_location(), data_location());
    EXPECT_FALSE(fs::exists(data_location()));
    tick();
    EXPECT_EQ(folder_row(0), std::string(16, ' '));
}

TEST_F(DiskopTest, ChosenLocationGetsItsSeparatorAndCancelKeepsTheOld) {
    TempDir other;
    fs::create_directory(other.path() / "SHOW1");
    open();
    dialogs_.folders.push_back(other.path().string());  // without its separator
    key(kKeyF3);
    ASSERT_EQ(dialogs_.requests.size(), 1u);
    EXPECT_EQ(to_utf8(dialogs_.requests[0].file.title), "データ保存場所の指定");
    EXPECT_EQ(dialogs_.requests[0].file.folder, data_location());
    EXPECT_EQ(diskop_data_location(), other.folder());
    tick();
    EXPECT_EQ(folder_row(0), "SHOW1           ");
    EXPECT_EQ(cursor_row(), 0);

    screen_.set_message_line("x");
    key(kKeyF3);  // cancelled
    EXPECT_EQ(diskop_data_location(), other.folder());
    EXPECT_EQ(message(), "");
}

TEST_F(DiskopTest, AFolderWithoutASceneFileIsListedAndCanBeSavedInto) {
    make_folders({"EMPTY"});
    write_show_named(folder_.folder(), "LIVE");
    open();
    EXPECT_EQ(folder_row(0), "EMPTY           ");
    EXPECT_EQ(date_row(0).find("データがありません"), 0u);
    EXPECT_EQ(cell(24, 3).fg, colour(WinNgFg));

    box_.answer(1);
    key(kKeyF5);
    EXPECT_EQ(told(), "保存が完了しました");
    EXPECT_EQ(files_of(data_location() + "EMPTY/"), files_of(folder_.folder()));
    EXPECT_EQ(waited_ms, 500);
    EXPECT_EQ(message(), "");
    EXPECT_TRUE(screen_.top_window()->active);
    tick();
    const std::string date = date_row(0);
    ASSERT_GE(date.size(), 19u);
    EXPECT_TRUE(date[4] == '/' && date[7] == '/' && date[13] == ':') << date;
    EXPECT_EQ(cell(24, 3).fg, colour(WinHiFg));
}

TEST_F(DiskopTest, SaveAndLoadWithoutAFolderSayThereIsNone) {
    open();
    for (int k : {kKeyF5, kKeyF7}) {
        const int beeps = host_.beeps;
        key(k);
        EXPECT_EQ(message(), "データフォルダがありません");
        EXPECT_EQ(host_.beeps, beeps + 1);
    }
    EXPECT_TRUE(box_.asked.empty());
    key(kKeyF2);
    EXPECT_TRUE(box_.asked.empty());
}

TEST_F(DiskopTest, MoreThanTwentyFoldersScroll) {
    std::vector<std::string> names;
    for (int i = 0; i < 25; ++i) names.push_back("F" + std::to_string(100 + i));
    make_folders(names);
    open();
    const std::vector<std::string> order = listed();
    ASSERT_EQ(order.size(), 25u);
    for (int i = 0; i < 23; ++i) key(kKeyDown);
    tick();
    EXPECT_EQ(cursor_row(), 19);
    for (int i = 0; i < 20; ++i) {
        std::string expected = order[4 + i];
        expected.resize(16, ' ');
        EXPECT_EQ(folder_row(i), expected) << i;
    }
}

TEST_F(DiskopTest, DeletingTheLastFolderMovesTheCursorUp) {
    make_folders({"A", "B", "C"});
    open();
    const std::vector<std::string> order = listed();
    key(kKeyDown);
    key(kKeyDown);
    fs::path doomed = data_location() + order[2];
    std::ofstream(doomed / "PRSMDATA.SCN") << "x";
    std::ofstream(doomed / "note.txt") << "x";
    box_.answer(2);
    key(kKeyF2);
    EXPECT_TRUE(fs::exists(doomed));
    box_.answer(1);
    key(kKeyF2);
    EXPECT_EQ(to_utf8(box_.asked[0].line1), "データを削除してもいいですか?");
    EXPECT_FALSE(fs::exists(doomed));
    tick();
    EXPECT_EQ(cursor_row(), 1);
    EXPECT_EQ(folder_row(2), std::string(16, ' '));
}

TEST_F(DiskopTest, AFolderThatCannotBeRemovedIsReported) {
    make_folders({"KEEP/INNER"});
    open();
    box_.answer(1);
    key(kKeyF2);
    EXPECT_EQ(told(), "削除に失敗しました");
    EXPECT_TRUE(fs::is_directory(data_location() + "KEEP/INNER"));
    tick();
    EXPECT_EQ(folder_row(0), "KEEP            ");
    EXPECT_EQ(cursor_row(), 0);
}

TEST_F(DiskopTest, NewFolderIsCreatedAndTheCursorGoesToIt) {
    make_folders({"A", "B"});
    open();
    input_.type(sjs("表示ソフト"));  // 0x5C trail bytes are no separators
    key(kKeyF1);
    ASSERT_EQ(input_.requests.size(), 1u);
    const LineInputRequest& r = input_.requests[0];
    EXPECT_EQ(to_utf8(r.prompt), "新規ﾌｫﾙﾀﾞ作成");
    EXPECT_EQ(r.column, 5);
    EXPECT_EQ(r.row, 24);
    EXPECT_EQ(r.max_length, 16);
    EXPECT_TRUE(fs::is_directory(data_location() + "表示ソフト"));
    const std::vector<std::string> order = listed();
    const int at = static_cast<int>(std::find(order.begin(), order.end(), "表示ソフト") - order.begin());
    tick();
    EXPECT_EQ(cursor_row(), at);
    EXPECT_EQ(folder_row(at), "表示ソフト      ");
}

// A typed name can only ever make one folder directly in the data location.
TEST_F(DiskopTest, UnsafeNamesCreateNothing) {
    open();
    const char* names[] = {"../OUT", "..", ".", "a/b", "a\\b", "\\OUT", "x:y", "a*", "tab\tname"};
    for (const char* n : names) {
        input_.type(n);
        key(kKeyF1);
    }
    EXPECT_TRUE(fs::is_empty(data_location()));
    std::vector<std::string> in_program_folder;
    for (const auto& e : fs::directory_iterator(folder_.path())) in_program_folder.push_back(e.path().filename());
    EXPECT_EQ(in_program_folder, std::vector<std::string>{"DATA"});
    EXPECT_FALSE(fs::exists(folder_.path().parent_path() / "OUT"));
    EXPECT_EQ(message(), "フォルダ名に使えない文字があります");
    EXPECT_TRUE(box_.asked.empty());
    // A refused creation (the name exists) rescans and says why.
    make_folders({"SAME"});
    input_.type("SAME");
    key(kKeyF1);
    tick();
    EXPECT_EQ(folder_row(0), "SAME            ");
    EXPECT_TRUE(box_.asked.empty());
}

TEST_F(DiskopTest, LoadReadsTheShowAndThePresetsAgain) {
    make_folders({"SHOW"});
    write_show_named(data_location() + "SHOW/", "LOADED");
    write_show_named(folder_.folder(), "LIVE");
    env_.preset_file = folder_.file("PRSMDATA.DEF");
    write_text(env_.preset_file, "preset_color=0,RED,0,255,255\n");
    open();
    box_.answer(1);
    key(kKeyF7);
    EXPECT_EQ(told(), "読み込みが完了しました");
    EXPECT_STREQ(g_show.scenes[0].name, "LOADED");
    EXPECT_STREQ(g_show.colours.rec[0].name, "RED");
    EXPECT_EQ(files_of(folder_.folder()), files_of(data_location() + "SHOW/"));
}

TEST_F(DiskopTest, AFailurePartWayLeavesBothFoldersAsTheyWere) {
    make_folders({"SHOW"});
    write_show_named(data_location() + "SHOW/", "SAVED");
    write_show_named(folder_.folder(), "LIVE");
    const auto saved = files_of(data_location() + "SHOW/");
    const auto live = files_of(folder_.folder());
    std::snprintf(g_show.scenes[0].name, sizeof g_show.scenes[0].name, "MEMORY");
    open();
    struct Case {
        int key, copy_fails, rename_fails;
        const char* told;
    };
    const Case cases[] = {{kKeyF5, 3, -1, "保存に失敗しました"},
                          {kKeyF5, -1, 5, "保存に失敗しました"},
                          {kKeyF7, 6, -1, "読み込みに失敗しました"},
                          {kKeyF7, -1, 12, "読み込みに失敗しました"}};
    for (const Case& c : cases) {
        FaultyFileSystem faulty;
        faulty.fail_copy_at = c.copy_fails;
        faulty.fail_rename_at = c.rename_fails;
        ScopedFileSystem installed(faulty);
        box_.answer(1);
        key(c.key);
        EXPECT_EQ(told(), c.told);
        EXPECT_EQ(files_of(data_location() + "SHOW/"), saved);
        EXPECT_EQ(files_of(folder_.folder()), live);
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(data_location() + "SHOW")) left.push_back(e.path().filename());
        EXPECT_EQ(left.size(), 7u);
    }
    // A failed load does not read the tables again.
    EXPECT_STREQ(g_show.scenes[0].name, "MEMORY");
}

TEST_F(DiskopTest, EscClosesTheScreenAndTheLocationStays) {
    TempDir other;
    open();
    dialogs_.folders.push_back(other.folder());
    key(kKeyF3);
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(diskop_is_open());
    EXPECT_EQ(screen_.top_window(), backdrop_);
    open();
    EXPECT_EQ(diskop_data_location(), other.folder());
    EXPECT_EQ(diskop_open(backdrop_), 0);
}

}  // namespace
}  // namespace prismel::test
