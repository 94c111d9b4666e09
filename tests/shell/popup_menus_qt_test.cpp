// The data and options menus of the main window, with scripted dialogs.
#include <QImage>

#include <filesystem>

#include "chwin/chw_canvas_qt.h"
#include "chwin/grid_dump.h"
#include "data/show_files.h"
#include "main_form_fixture.h"
#include "platform/dialogs_scripted.h"
#include "platform/text_codec.h"
#include "screens/Diskop.h"
#include "settings/env_settings.h"
#include "shell/popup_menus_qt.h"
#include "shell/popup_rules.h"

namespace prismel::test {
namespace {

class PopupMenusTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        set_dialogs(&scripted_);
        copy_presets();
    }
    void TearDown() override {
        diskop_close();
        set_dialogs(nullptr);
        MainFormTest::TearDown();
    }
    PopupMenus& menus() { return *form->popup_menus(); }
    QAction* item(const char* name) { return menus().item(name); }
    // Opens a menu through the main menu's key as the operator does and
    // chooses the item (nullptr: closes it without a choice).
    QPoint choose(int fkey, const char* name) {
        QPoint at;
        menus().run_menu = [&](QMenu&, QPoint p) {
            at = p;
            if (name) item(name)->trigger();
        };
        form->FormKeyDown(fkey, 0);
        return at;
    }
    std::string status() const { return form->status_bar()->text(0).toStdString(); }
    std::string told() const { return box.asked.empty() ? "" : to_utf8(box.asked.back().line1); }

    ScriptedDialogSeam scripted_;
};

TEST_F(PopupMenusTest, BothMenusOpenAboveTheBarAtTheirColumns) {
    write_show();
    start_shown();
    const int fs = g_screen->font_size();
    const QRect frame = form->frameGeometry();
    const QPoint data = choose(121, nullptr);
    const MenuPlace d = data_menu_place(frame.x(), frame.y(), frame.height(), fs);
    EXPECT_EQ(data, QPoint(d.x, d.y));
    const QPoint options = choose(118, nullptr);
    const MenuPlace o = options_menu_place(frame.x(), frame.y(), frame.height(), fs);
    EXPECT_EQ(options, QPoint(o.x, o.y));

    // Items are 17 fs wide and fs + 8 high; the top-level items in order.
    QMenu* m = menus().options_menu();
    m->ensurePolished();
    const QRect r = m->actionGeometry(item("PopWallItem"));
    EXPECT_EQ(r.height(), fs + 8);
    EXPECT_GE(r.width(), 17 * fs);
    EXPECT_EQ(menus().data_menu()->actions().size(), kDataMenuItems);
    EXPECT_EQ(menus().options_menu()->actions().size(), kOptionsMenuItems);
}

TEST_F(PopupMenusTest, FontItemsFollowTheDisplayWidth) {
    write_show();
    desktop_width = 1024;
    start_shown();
    ASSERT_EQ(g_screen->font_size(), 18);  // 20 limited to 9 x 2
    menus().PopupMenu2Popup();
    EXPECT_FALSE(item("PopFontBigItem")->isEnabled());
    EXPECT_TRUE(item("PopFontSmallItem")->isEnabled());
    choose(118, "PopFontSmallItem");
    EXPECT_EQ(g_screen->font_size(), 16);
    EXPECT_EQ(form->status_bar()->height(), 20);
    menus().PopupMenu2Popup();
    EXPECT_TRUE(item("PopFontBigItem")->isEnabled());
    EXPECT_FALSE(item("PopFontSmallItem")->isEnabled());
    choose(118, "PopFontSmallItem");  // disabled: nothing happens
    EXPECT_EQ(g_screen->font_size(), 16);
    choose(118, "PopFontBigItem");
    EXPECT_EQ(g_screen->font_size(), 18);
}

TEST_F(PopupMenusTest, ReportIsWrittenAndOpenedWithTheEditorOrTheDesktopsApplication) {
    write_show();
    start_shown();
    g_env->editor = "";
    scripted_.files.push_back(dir.file("scenes.txt"));
    choose(121, "PopRepScnItem");
    ASSERT_EQ(scripted_.requests.size(), 1u);
    const FileDialogRequest& r = scripted_.requests[0].file;
    EXPECT_EQ(to_utf8(r.title), "シーン名一覧のレポート出力");
    EXPECT_EQ(r.folder, dir.folder());
    EXPECT_EQ(to_utf8(r.filter), "レポートファイル (*.txt)|*.TXT");
    EXPECT_EQ(r.default_extension, "TXT");
    EXPECT_TRUE(std::filesystem::exists(dir.file("scenes.txt")));
    EXPECT_EQ(status(), "レポートファイルを出力しました");
    // No editor set: the desktop's application for the file.
    ASSERT_EQ(scripted_.started.size(), 1u);
    EXPECT_EQ(scripted_.started[0].program, "xdg-open");
    scripted_.started.clear();

    g_env->editor = "/usr/bin/my editor";
    const std::string spaced = dir.file("cue list.txt");
    scripted_.files.push_back(spaced);
    choose(121, "PopRepCueItem");
    ASSERT_EQ(scripted_.started.size(), 1u);
    EXPECT_EQ(scripted_.started[0].program, "/usr/bin/my editor");
    EXPECT_EQ(scripted_.started[0].argument, spaced);

    scripted_.files.push_back(std::nullopt);  // cancelled
    form->status_bar()->set_text(0, "");
    choose(121, "PopRepChsItem");
    EXPECT_EQ(status(), "");
    EXPECT_EQ(scripted_.started.size(), 1u);

    // A start that fails says so.
    scripted_.starts = false;
    scripted_.files.push_back(dir.file("chases.txt"));
    choose(121, "PopRepChsItem");
    EXPECT_EQ(status(), "レポートを開けません: /usr/bin/my editorを起動できません");
}

TEST_F(PopupMenusTest, AReportPathBeyondTheWritersLimitIsRefused) {
    write_show();
    start_shown();
    const std::string deep = dir.folder() + std::string(200, 'd') + "/";
    std::filesystem::create_directories(deep);
    const std::string path = deep + std::string(60, 'r') + ".txt";
    ASSERT_GT(path.size(), kMaxReportPath);
    scripted_.files.push_back(path);
    choose(121, "PopRepScnItem");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(status(), "ファイル名が長すぎます(255バイトまで)");
    EXPECT_TRUE(scripted_.started.empty());
}

TEST_F(PopupMenusTest, AWallpaperThatDoesNotExistRemovesItForThisRun) {
    QImage wall(8, 8, QImage::Format_RGB32);
    wall.fill(Qt::red);
    ASSERT_TRUE(wall.save(QString::fromStdString(dir.file("PRSMWALL.BMP")), "BMP"));
    write_show();
    start_shown();
    ASSERT_FALSE(form->wallpaper_bitmap().isNull());
    const std::string kept = g_env->wall_image;
    scripted_.pictures.push_back(dir.file("missing.bmp"));
    choose(118, "PopWallItem");
    ASSERT_EQ(scripted_.requests.size(), 1u);
    EXPECT_EQ(to_utf8(scripted_.requests[0].file.title), "背景画像の指定");
    EXPECT_EQ(scripted_.requests[0].file.default_extension, "bmp");
    EXPECT_TRUE(form->wallpaper_bitmap().isNull());
    EXPECT_EQ(g_env->wall_image, kept);

    ASSERT_TRUE(wall.save(QString::fromStdString(dir.file("other.bmp")), "BMP"));
    scripted_.pictures.push_back(dir.file("other.bmp"));
    choose(118, "PopWallItem");
    EXPECT_FALSE(form->wallpaper_bitmap().isNull());
    EXPECT_EQ(g_env->wall_image, dir.file("other.bmp"));
}

TEST_F(PopupMenusTest, InitialisationNeedsBothAnswers) {
    write_show();
    start_shown();
    std::snprintf(g_show.scenes[0].name, sizeof g_show.scenes[0].name, "KEEP");
    write_table(g_show, ShowTable::kScenes, dir.folder());
    box.answer(1);
    box.answer(2);
    choose(121, "PopDatIniItem");
    ASSERT_EQ(box.asked.size(), 2u);
    EXPECT_EQ(to_utf8(box.asked[0].line1), "現在のデータを全て初期化しますか?");
    EXPECT_EQ(to_utf8(box.asked[1].line1), "本当に初期化していいですか?");
    EXPECT_STREQ(g_show.scenes[0].name, "KEEP");
    auto on_disk = std::make_unique<ShowData>();
    read_table(*on_disk, ShowTable::kScenes, dir.folder());
    EXPECT_STREQ(on_disk->scenes[0].name, "KEEP");

    box.answer(1);
    box.answer(1);
    choose(121, "PopDatIniItem");
    EXPECT_STREQ(g_show.scenes[0].name, "");
    EXPECT_EQ(status(), "データを初期化しました");
    read_table(*on_disk, ShowTable::kScenes, dir.folder());
    EXPECT_STREQ(on_disk->scenes[0].name, "");
}

TEST_F(PopupMenusTest, AColourChangeRedrawsTheWholeScreen) {
    write_show();
    start_shown();
    ChwScreen& s = *g_screen;
    const uint32_t old_bg = s.colour_of(ScreenBg);
    scripted_.colours.push_back(0x123456);
    choose(118, "PopColSbgItem");
    ASSERT_EQ(scripted_.requests.size(), 1u);
    EXPECT_EQ(scripted_.requests[0].colour, old_bg);
    EXPECT_EQ(s.colour_of(ScreenBg), 0x123456u);
    // Every cell of the main menu that is drawn in the screen background
    // now holds the new one, the gaps of the function-key bar included.
    int repainted = 0;
    for (int r = 0; r < ChwScreen::kRows; ++r) {
        for (int c = 0; c < ChwScreen::kColumns; ++c) {
            EXPECT_NE(s.cell(c, r).bg, old_bg) << c << "," << r;
            repainted += s.cell(c, r).bg == 0x123456u ? 1 : 0;
        }
    }
    EXPECT_GT(repainted, ChwScreen::kColumns * (ChwScreen::kRows - 2));
    EXPECT_EQ(s.cell(8, s.fkey_row()).bg, 0x123456u);  // between the caps of F1 and F2
    const QImage painted = form->grab().toImage();
    const int fs = s.font_size();
    const QPoint gap(8 * fs / 2 + fs / 4, s.fkey_row() * (fs + 4) + fs / 2);
    EXPECT_EQ(painted.pixelColor(gap), to_qcolor(0x123456));

    scripted_.colours.push_back(0x0000AA);
    choose(118, "PopColWbgItem");
    EXPECT_EQ(form->palette().color(QPalette::Window), to_qcolor(0x0000AA));
    EXPECT_EQ(s.cell(53, s.fkey_row()).bg, 0x0000AAu);  // the empty cap of F8

    scripted_.colours.push_back(std::nullopt);  // cancelled
    choose(118, "PopColWfgItem");
    EXPECT_EQ(s.colour_of(WinFg), ChwColourScheme::defaults().of(WinFg));
}

TEST_F(PopupMenusTest, SwitchesToggleTheirSettingsAndShowTicks) {
    write_show();
    start_shown();
    EnvSettings& env = *g_env;
    env.run_mouse = false;
    env.hide_title = false;
    env.beep = true;
    choose(118, "PopRunSwItem");
    choose(118, "PopHideSwItem");
    choose(118, "PopBeepSwItem");
    EXPECT_TRUE(env.run_mouse);
    EXPECT_TRUE(env.hide_title);
    EXPECT_FALSE(env.beep);
    EXPECT_TRUE(g_screen->beep_option);  // the sound follows from the next start
    menus().PopupMenu2Popup();
    EXPECT_TRUE(item("PopRunSwItem")->isChecked());
    EXPECT_TRUE(item("PopHideSwItem")->isChecked());
    EXPECT_FALSE(item("PopBeepSwItem")->isChecked());

    choose(118, "DmxOptItem");  // no node dialog installed: nothing
    int shown = 0;
    menus().show_node_dialog = [&] { ++shown; };
    choose(118, "DmxOptItem");
    EXPECT_EQ(shown, 1);
}

TEST_F(PopupMenusTest, PresetFileIsReadAndKeptForThisRun) {
    write_show();
    start_shown();
    write_text(dir.file("OTHER.DEF"), "preset_color=7,PINK,0,80,0\n");
    scripted_.files.push_back(dir.file("OTHER.DEF"));
    choose(121, "PopPreRdItem");
    const FileDialogRequest& r = scripted_.requests[0].file;
    EXPECT_EQ(r.folder, dir.folder());
    EXPECT_EQ(r.file_name, "PRSMDATA.DEF");
    EXPECT_EQ(r.default_extension, "DEF");
    EXPECT_EQ(told(), "プリセットカラー定義を読み込みました");
    EXPECT_STREQ(g_show.colours.rec[7].name, "PINK");
    EXPECT_EQ(g_env->preset_file, dir.file("OTHER.DEF"));

    write_text(dir.file("BAD.DEF"), "color=1\n");
    scripted_.files.push_back(dir.file("BAD.DEF"));
    choose(121, "PopPreRdItem");
    EXPECT_EQ(told(), "1:[color]は不正な項目名です");
    EXPECT_EQ(g_env->preset_file, dir.file("OTHER.DEF"));
}

TEST_F(PopupMenusTest, DataFoldersOpenAboveTheMainMenu) {
    write_show();
    start_shown();
    choose(121, "PopDataRWItem");
    ASSERT_TRUE(diskop_is_open());
    EXPECT_EQ(diskop_window()->parent, g_main_menu);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("DATA")));
    EXPECT_EQ(row_text(*g_screen, g_screen->fkey_row() - 1).find_first_not_of(' '), std::string::npos);
}

}  // namespace
}  // namespace prismel::test
