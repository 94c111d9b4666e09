// Start-up and shutdown of the main window on a fresh program folder.
#include <QCloseEvent>

#include <filesystem>

#include "chwin/chw_keys.h"
#include "data/show_files.h"
#include "main_form_fixture.h"
#include "platform/ini_profile.h"
#include "platform/text_codec.h"
#include "settings/env_settings.h"

using namespace prismel;
using namespace prismel::test;
namespace fs = std::filesystem;

namespace {

int show_files_in(const std::string& folder) {
    int n = 0;
    for (ShowTable t : kShowTables) n += fs::exists(show_file_name(folder, t));
    return n;
}

}  // namespace

TEST_F(MainFormTest, EmptyFolderAnsweredOkOkInitialisesTheShow) {
    write_text(dir.file("PRSMDATA.DEF"), "preset_color = 0, RED, 0, 255, 255\n");
    dialogs.answers = {true, true};
    start();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, sj("データファイルが読み込めません\nデータを初期化しますか?"));
    EXPECT_EQ(dialogs.shown[1].text, sj("本当に初期化していいですか?"));
    EXPECT_EQ(dialogs.shown[2].text, sj("データを初期化しました"));
    for (const auto& b : dialogs.shown) EXPECT_EQ(b.caption, "Prismel");
    EXPECT_FALSE(dialogs.shown[2].question);
    EXPECT_FALSE(dialogs.shown[2].exclamation);
    for (ShowTable t : kShowTables) {
        const std::string f = show_file_name(dir.folder(), t);
        ASSERT_TRUE(fs::exists(f)) << f;
        EXPECT_EQ(fs::file_size(f), file_size_of(t)) << f;
    }
    // The presets came from the folder's definition file.
    EXPECT_STREQ(g_show.colours.rec[0].name, "RED");
}

TEST_F(MainFormTest, CancelWritesNoShowFileAndStartUpGoesOn) {
    copy_presets();
    dialogs.answers = {false};
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_EQ(show_files_in(dir.folder()), 0);
    EXPECT_TRUE(output_log.started);
    dialogs.shown.clear();
    form.reset();
    dialogs.answers = {true, false};
    start();
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(show_files_in(dir.folder()), 0);
}

TEST_F(MainFormTest, SubsystemsComeUpInOrderAndTheEngineRunsOnlyOnceAllExist) {
    write_show();
    copy_presets();
    write_text(ini_path(), "[General]\nTxUniverse=7\n");
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(output_log.hook_set);
    EXPECT_EQ(output_log.universe, 7);
    EXPECT_TRUE(output_log.started);
    EXPECT_EQ(output_log.hold_at_start, 0);
    EXPECT_TRUE(output_log.screen_at_start);
    EXPECT_TRUE(output_log.menu_at_start);
    ASSERT_NE(g_env, nullptr);
    EXPECT_EQ(g_env->program_folder, dir.folder());
    EXPECT_EQ(g_env->preset_file, dir.folder() + "PRSMDATA.DEF");
    EXPECT_EQ(form->help_file(), dir.folder() + "PRISHL.HLP");
    EXPECT_FALSE(form->check_mark().isNull());
    EXPECT_EQ(form->check_mark().width(), 20);
    // No title image in the folder: the default aspect.
    EXPECT_TRUE(form->title_bitmap().isNull());
    EXPECT_DOUBLE_EQ(form->title_aspect(), 32.0 / 15.0);
}

TEST_F(MainFormTest, MissingPresetFileWarnsFallsBackAndIsNotForgotten) {
    write_show();
    copy_presets();
    write_text(ini_path(), "[General]\nPresetFile=" + dir.folder() + "GONE.DEF\n");
    start_shown();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, sj("警告"));
    EXPECT_EQ(dialogs.shown[0].text, sj("ﾃﾞﾌｫﾙﾄのﾌﾟﾘｾｯﾄｶﾗｰ定義ﾌｧｲﾙを読み込みます"));
    EXPECT_TRUE(dialogs.shown[0].exclamation);
    EXPECT_EQ(g_env->preset_file, dir.folder() + "PRSMDATA.DEF");
    quit(1);
    ASSERT_TRUE(form->closed());
    EXPECT_EQ(IniProfile(ini_path()).read_string("General", "PresetFile", ""), dir.folder() + "GONE.DEF");
}

TEST_F(MainFormTest, FirstShutdownWritesEverySetting) {
    write_show();
    copy_presets();
    start_shown();
    quit(1);
    ASSERT_TRUE(form->closed());
    EXPECT_TRUE(output_log.terminated);
    EXPECT_GT(g_engine.hold_count(), 0);
    EXPECT_FALSE(form->timer()->isActive());
    ASSERT_EQ(box.asked.size(), 1u);
    EXPECT_EQ(box.asked[0].line1, sj("Prismel を終了しますか?"));

    IniProfile ini(ini_path());
    const std::string general[] = {"version", "Editor", "WallImage", "TitleImage", "TxUniverse", "WinWidth",
                                   "WinHeight", "WinLeft", "WinTop", "WinState", "FontSize"};
    for (const auto& k : general) EXPECT_NE(ini.read_string("General", k.c_str(), "<none>"), "<none>") << k;
    const std::string options[] = {"FkeyTime", "HideTitle", "Beep", "RunMouse", "RestartChs", "ResumeAfterCrash"};
    for (const auto& k : options) EXPECT_NE(ini.read_string("Option", k.c_str(), "<none>"), "<none>") << k;
    const std::string colours[] = {"ScreenBg", "TitleFg", "TitleAct", "TitleNeg", "FrameAct", "FrameNeg", "WinFg",
                                   "WinBg", "WinHiFg", "WinHiBg", "WinNgFg", "HeaderY", "HeaderC", "HeaderR",
                                   "HeaderG", "HeaderB", "HeaderM", "Cursor", "Button"};
    for (const auto& k : colours) EXPECT_NE(ini.read_string("Color", k.c_str(), "<none>"), "<none>") << k;
    for (const char* k : {"PresetFile", "OutMonitorLeft", "OutMonitorTop"})
        EXPECT_EQ(ini.read_string("General", k, "<none>"), "<none>") << k;
    EXPECT_EQ(ini.read_int("General", "version", 0), 121);
    EXPECT_EQ(ini.read_int("Option", "RestartChs", 0), 1);
    EXPECT_EQ(ini.read_int("Option", "Beep", 0), 1);
    EXPECT_EQ(ini.read_int("General", "WinState", -1), 0);
    EXPECT_EQ(ini.read_int("General", "WinWidth", 0), 920);  // 800 is below 92 columns
    EXPECT_EQ(ini.read_int("General", "WinHeight", 0), 698);
    EXPECT_EQ(ini.read_string("General", "Editor", ""), "notepad.exe");
    EXPECT_EQ(ini.read_string("General", "TitleImage", ""), dir.folder() + "PRSMTITL.BMP");
}

TEST_F(MainFormTest, HideTitleFiveReadsTrueAndIsWrittenAsOne) {
    write_show();
    copy_presets();
    write_text(ini_path(), "[General]\nversion=100\n[Option]\nHideTitle=5\nBeep=0\n");
    start_shown();
    EXPECT_TRUE(g_env->hide_title);
    EXPECT_FALSE(g_screen->beep_option);
    // The version check is written at once, before anything else.
    EXPECT_EQ(IniProfile(ini_path()).read_int("General", "version", 0), 121);
    quit(1);
    IniProfile ini(ini_path());
    EXPECT_EQ(ini.read_string("Option", "HideTitle", ""), "1");
    EXPECT_EQ(ini.read_string("Option", "Beep", ""), "0");
}

TEST_F(MainFormTest, NoToTheQuitQuestionKeepsEverythingRunning) {
    write_show();
    copy_presets();
    start_shown();
    quit(2);
    EXPECT_FALSE(form->closed());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->timer()->isActive());
    EXPECT_FALSE(output_log.terminated);
    EXPECT_EQ(g_engine.hold_count(), 0);
    EXPECT_EQ(g_screen->top_window(), g_main_menu);
    EXPECT_FALSE(fs::exists(ini_path()) && IniProfile(ini_path()).read_string("Option", "Beep", "") != "");
}

// F12 ends the console from the main menu only; the window manager's close
// (a caption button, Alt+F4, a session ending) asks the same question over
// any screen and, on yes, ends it in order.
TEST_F(MainFormTest, TheWindowManagersCloseAsksAndF12NeedsTheMainMenu) {
    write_show();
    copy_presets();
    start_shown();
    box.answer(2);
    form->close();
    EXPECT_FALSE(form->closed());
    ASSERT_EQ(box.asked.size(), 1u);
    EXPECT_EQ(box.asked[0].line1, sj("Prismel を終了しますか?"));

    ChwWindow* w = g_screen->create_window(g_main_menu, "S", kStyleFramed, 2, 2, 40, 10);
    g_screen->show_window(w);
    w->key_handler = [](int, int) { return kResultQuit; };
    form->FormKeyDown(123, 0);  // -99 from another window: refused without a question
    EXPECT_FALSE(form->closed());
    EXPECT_EQ(box.asked.size(), 1u);
    box.answer(1);
    form->close();
    EXPECT_TRUE(form->closed());
    EXPECT_EQ(box.asked.size(), 2u);
    g_screen->close_window(w, true);
}

TEST_F(MainFormTest, AMaximisedWindowKeepsItsRestoredSize) {
    write_show();
    copy_presets();
    write_text(ini_path(), "[General]\nWinWidth=1000\nWinHeight=722\nWinLeft=30\nWinTop=40\nWinState=2\n");
    start_shown();
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    quit(1);
    IniProfile ini(ini_path());
    EXPECT_EQ(ini.read_int("General", "WinState", 0), 2);
    EXPECT_EQ(ini.read_int("General", "WinWidth", 0), 1000);
    EXPECT_EQ(ini.read_int("General", "WinHeight", 0), 722);
}

TEST_F(MainFormTest, StopSignalShutsDownInOrderWithoutAsking) {
    write_show();
    copy_presets();
    start_shown();
    form->stop_by_signal();
    EXPECT_TRUE(form->closed());
    EXPECT_TRUE(box.asked.empty());
    EXPECT_TRUE(output_log.terminated);
    EXPECT_FALSE(form->timer()->isActive());
    EXPECT_EQ(IniProfile(ini_path()).read_int("General", "version", 0), 121);
    EXPECT_EQ(IniProfile(ini_path()).read_int("Option", "RestartChs", 0), 1);
}

TEST_F(MainFormTest, AProgramFolderElsewhereHoldsTheSettingsAndTheShow) {
    TempDir own;
    program_folder = own.folder();
    write_text(own.file("PRSMDATA.DEF"), "preset_color = 0, RED, 0, 255, 255\n");
    dialogs.answers = {true, true};
    start();
    EXPECT_EQ(g_env->program_folder, own.folder());
    EXPECT_EQ(show_files_in(own.folder()), 7);
    EXPECT_STREQ(g_show.colours.rec[0].name, "RED");
    form->stop_by_signal();
    // Named after the executable, inside the program folder; nothing beside the executable.
    EXPECT_EQ(IniProfile(own.file("Prismel.INI")).read_int("General", "version", 0), 121);
    EXPECT_FALSE(fs::exists(ini_path()));
    EXPECT_EQ(show_files_in(dir.folder()), 0);
}

TEST_F(MainFormTest, ARefusedArtnetAddressIsSaidOnceInTheMessageLine) {
    const char* said = sj("2.x.x.xを追加できません: 今のアドレスで送信");
    for (bool refused : {false, true}) {
        write_show();
        copy_presets();
        alias_refused = refused;
        start_shown();
        EXPECT_EQ(std::string(g_screen->message_line()), refused ? said : "") << refused;
        EXPECT_EQ(form->status_bar()->text(0).toStdString(), refused ? to_utf8(said) : "") << refused;
        form.reset();
    }
}
