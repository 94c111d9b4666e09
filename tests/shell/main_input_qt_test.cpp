// Keys, mouse, wheel, timer and painting of the main window, offscreen.
#include <QCursor>
#include <QRegularExpression>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "chwin/chw_keys.h"
#include "chwin/grid_dump.h"
#include "main_form_fixture.h"
#include "platform/single_instance.h"
#include "platform/text_codec.h"
#include "screens/Runscr.h"
#include "settings/env_settings.h"

using namespace prismel;
using namespace prismel::test;

namespace {

class MainInputTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        write_show();
        copy_presets();
        start_shown();
        ASSERT_EQ(form->size(), QSize(920, 698));
    }
    void TearDown() override {
        if (window_) g_screen->close_window(window_, true);
        MainFormTest::TearDown();
    }
    // A framed window on top that records what reaches its handlers.
    ChwWindow* open_recorder(int right = 40, int bottom = 10) {
        window_ = g_screen->create_window(g_main_menu, "R", kStyleFramed, 2, 2, right, bottom);
        g_screen->show_window(window_);
        window_->key_handler = [this](int key, int flags) {
            keys.push_back(key);
            key_flags.push_back(flags);
            return 0;
        };
        return window_;
    }
    void send_key(QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 scan = 0, bool repeat = false) {
        QKeyEvent e(type, key, mods, scan, 0, 0, QString(), repeat);
        QCoreApplication::sendEvent(form.get(), &e);
    }
    void send_wheel(int dy, Qt::KeyboardModifiers mods, int dx = 0) {
        QWheelEvent e(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(dx, dy), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form.get(), &e);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) form->Timer1Timer();
    }
    // Pixel position of a cell's middle.
    static QPoint cell(int column, int row) { return QPoint(column * 10 + 5, row * 24 + 12); }

    std::vector<int> keys, key_flags;
    ChwWindow* window_ = nullptr;
};

}  // namespace

TEST_F(MainInputTest, LayoutOfTheSmallestWindow) {
    EXPECT_EQ(g_screen->visible_columns(), 92);
    EXPECT_EQ(g_screen->visible_rows(), 29);
    EXPECT_EQ(g_screen->fkey_row(), 27);
    StatusPanels* bar = form->status_bar();
    EXPECT_EQ(bar->geometry(), QRect(0, 698 - 24, 920, 24));
    EXPECT_EQ(bar->panel_width(0), 520);
    EXPECT_EQ(bar->panel_width(1), 180);
    EXPECT_EQ(bar->panel_width(2), 120);
    EXPECT_EQ(bar->panel_width(3), 50);
    EXPECT_EQ(form->FormCanResize(QSize(1005, 696)), QSize(1000, 698));
    form->resize(1005, 730);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(1000, 730));
    EXPECT_EQ(g_screen->visible_columns(), 100);
    EXPECT_EQ(g_screen->fkey_row(), 28);
}

TEST_F(MainInputTest, StatusLineShowsClockAndDmxState) {
    ticks(1);
    const QString clock = form->status_bar()->text(1);
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(clock).hasMatch()) << clock.toStdString();
    EXPECT_EQ(form->status_bar()->text(2), "DMX:NG");
    output->fault = artnet::OutputStatus::no_interface;  // the chosen interface went
    ticks(1);
    EXPECT_EQ(form->status_bar()->text(2), "DMX:NoIF");
    output->fault = artnet::OutputStatus::link_down;
    ticks(1);
    EXPECT_EQ(form->status_bar()->text(2), "DMX:NoLink");
    output->ready = true;
    ticks(1);
    EXPECT_EQ(form->status_bar()->text(2), "DMX:OK");
}

TEST_F(MainInputTest, TitleSequenceEndsByOpeningTheRunScreen) {
    EXPECT_EQ(form->title_countdown(), 50);
    EXPECT_TRUE(form->timer()->isActive());
    EXPECT_EQ(form->timer()->interval(), 50);
    ticks(49);
    EXPECT_EQ(run_screen_opened, 0);
    ticks(1);
    EXPECT_EQ(form->title_countdown(), 0);
    EXPECT_EQ(run_screen_opened, 1);
    ticks(100);
    EXPECT_EQ(run_screen_opened, 1);
}

TEST_F(MainInputTest, AKeyOrAnyButtonCutsTheTitleShort) {
    ticks(10);
    form->FormKeyDown(kKeyA, 0);
    EXPECT_EQ(form->title_countdown(), 0);
    ticks(60);
    EXPECT_EQ(run_screen_opened, 0);
    EXPECT_EQ(g_screen->top_window(), g_main_menu);
    form->FormKeyDown(kKeyF9, 0);
    EXPECT_EQ(run_screen_opened, 1);
}

TEST_F(MainInputTest, RightClickEndsTheTitleButDoesNothingElse) {
    open_recorder();
    form->FormMouseDown(kButtonRight, 0, cell(62, 27).x(), cell(62, 27).y());
    EXPECT_EQ(form->title_countdown(), 0);
    EXPECT_TRUE(keys.empty());
}

TEST_F(MainInputTest, WheelLeavesTheTitleRunning) {
    open_recorder();
    send_wheel(120, Qt::NoModifier);
    EXPECT_EQ(form->title_countdown(), 50);
    EXPECT_EQ(keys, (std::vector<int>{kKeyUp}));
}

TEST_F(MainInputTest, ClicksOnTheBarAreFunctionKeys) {
    const int bar = g_screen->fkey_row();
    for (int column : {59, 66}) form->FormMouseDown(kButtonLeft, kModLeftButton, cell(column, bar).x(), cell(column, bar).y());
    EXPECT_EQ(run_screen_opened, 0);
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(62, bar).x(), cell(62, bar).y());
    EXPECT_EQ(run_screen_opened, 1);
    form->FormMouseUp(kButtonLeft, 0, 0, 0);
    EXPECT_TRUE(g_screen->pressed_key_rect().empty());
}

TEST_F(MainInputTest, KeysReachTheTopWindowAsVirtualKeyCodes) {
    open_recorder();
    send_key(QEvent::KeyPress, Qt::Key_Clear, Qt::KeypadModifier, 84);  // keypad 5, NumLock off
    send_key(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier, 84);      // keypad 5, NumLock on
    send_key(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, 104);
    send_key(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, 38);
    send_key(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, 23);
    send_key(QEvent::KeyPress, Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier, 96);
    EXPECT_EQ(keys, (std::vector<int>{53, 53, 13, 65, 9, 123}));
    EXPECT_EQ(key_flags, (std::vector<int>{0, 0, 0, kModShift, 0, kModCtrl | kModAlt}));
}

TEST_F(MainInputTest, OnlyModifierReleasesArePassedOn) {
    open_recorder();
    send_key(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 38);
    send_key(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier, 71);
    EXPECT_TRUE(keys.empty());
    send_key(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, 50);
    send_key(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 37);
    send_key(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier, 64);
    EXPECT_EQ(keys, (std::vector<int>{16, 17, 18}));
    // An auto-repeated key comes as release and press: only the press counts.
    keys.clear();
    send_key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, 50, true);
    send_key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, 116, true);
    EXPECT_EQ(keys, (std::vector<int>{40}));
}

TEST_F(MainInputTest, WheelWithAndWithoutShift) {
    open_recorder();
    send_wheel(-120, Qt::ShiftModifier);
    send_wheel(120, Qt::ShiftModifier);
    send_wheel(-360, Qt::NoModifier);
    send_wheel(0, Qt::AltModifier, 120);  // Alt turns the wheel horizontal
    EXPECT_EQ(keys, (std::vector<int>{192, 0, 191, 0, 40, 38}));
}

TEST_F(MainInputTest, ResultCodesOfTheTopWindow) {
    ChwWindow* w = open_recorder();
    int refreshed = 0;
    g_main_menu->key_handler = [&](int key, int) {
        if (key == 0) ++refreshed;
        return 0;
    };
    w->key_handler = [this, w](int, int) {
        g_screen->close_window(w, true);
        window_ = nullptr;
        return kResultWindowClosed;
    };
    form->FormKeyDown(kKeyEsc, 0);
    EXPECT_EQ(g_screen->top_window(), g_main_menu);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(MainInputTest, MouseCellsDoubleClickAndTheSuppressedSecondPress) {
    ChwWindow* w = open_recorder(60, 20);
    std::vector<std::pair<int, int>> cells;
    w->mouse_handler = [&](int column, int row, int, int) {
        cells.emplace_back(column, row);
        return column == 10 ? kKeyEnter : 0;
    };
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(10, 5).x(), cell(10, 5).y());
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{10, 5}}));
    EXPECT_EQ(keys, (std::vector<int>{kKeyEnter}));

    // A double click whose handler closes a picker above w: the press that
    // stands for the second click never reaches w's mouse handler.
    ChwWindow* picker = g_screen->create_window(w, "P", kStyleFramed, 5, 5, 30, 15);
    g_screen->show_window(picker);
    picker->key_handler = [](int, int) { return 0; };
    picker->double_click_handler = [picker] {
        g_screen->close_window(picker, true);
        return kResultWindowClosed;
    };
    cells.clear();
    keys.clear();
    const QPoint p = cell(12, 6);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, form->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &dbl);
    EXPECT_EQ(g_screen->top_window(), w);
    EXPECT_EQ(keys, (std::vector<int>{0}));
    EXPECT_TRUE(cells.empty());
    EXPECT_EQ(g_screen->rubber_band.suppress_next_mouse, 0);
    form->FormMouseDown(kButtonLeft, kModLeftButton, p.x(), p.y());
    EXPECT_EQ(cells.size(), 1u);
}

TEST_F(MainInputTest, RunScreenIgnoresTheMouseUnlessRunMouse) {
    ASSERT_TRUE(runscr_open(g_main_menu));
    ChwWindow* run = g_screen->top_window();
    int calls = 0;
    auto real = run->key_handler;
    run->key_handler = [&](int, int) {
        ++calls;
        return 0;
    };
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(62, 27).x(), cell(62, 27).y());
    send_wheel(120, Qt::NoModifier);
    form->FormDblClick();
    EXPECT_EQ(calls, 0);
    // The refused click says why.
    EXPECT_EQ(form->status_bar()->text(0).toStdString(), "実行画面ではマウスは使えません (ｵﾌﾟｼｮﾝで切替)");
    form->FormKeyDown(kKeyDown, 0);
    EXPECT_EQ(calls, 1);
    g_env->run_mouse = true;
    send_wheel(120, Qt::NoModifier);
    EXPECT_EQ(calls, 2);
    run->key_handler = real;
    runscr_close();
    g_screen->show_window(g_main_menu);
}

TEST_F(MainInputTest, FrameSelectionInsideTheTopWindow) {
    ChwWindow* w = open_recorder(60, 20);
    std::vector<ChwRect> selected;
    w->frame_select_handler = [&](const ChwRect& r, int) { selected.push_back(r); };
    const QPoint inside = cell(20, 10);
    form->FormMouseDown(kButtonLeft, kModLeftButton, inside.x(), inside.y());
    EXPECT_FALSE(g_screen->rubber_band.active);  // locked until the scene editor allows it
    g_screen->rubber_band.lock_count = 0;
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(1, 10).x(), cell(1, 10).y());  // on the frame
    EXPECT_FALSE(g_screen->rubber_band.active);
    form->FormMouseDown(kButtonLeft, kModLeftButton, inside.x(), inside.y());
    ASSERT_TRUE(g_screen->rubber_band.active);
    EXPECT_EQ(form->status_bar()->text(0).toStdString(), "枠選択中");
    form->FormMouseMove(kModLeftButton, inside.x() - 50, inside.y() + 30);
    form->FormMouseUp(kButtonLeft, 0, 0, 0);
    ASSERT_EQ(selected.size(), 1u);
    // From the pointer, and holding the whole cell (20, 10) it started in.
    EXPECT_EQ(selected[0], (ChwRect{inside.x() - 50, 10 * 24, 21 * 10, inside.y() + 30}));
    EXPECT_FALSE(g_screen->rubber_band.active);
    EXPECT_TRUE(form->status_bar()->text(0).isEmpty());
}

TEST_F(MainInputTest, HoldingTheButtonOnF6RepeatsWhereTheTopWindowAsks) {
    ChwWindow* w = open_recorder();
    w->repeat_held_caps = true;
    const int bar = g_screen->fkey_row();
    QCursor::setPos(form->mapToGlobal(cell(40, bar)));
    if (form->mapFromGlobal(QCursor::pos()) != cell(40, bar)) GTEST_SKIP() << "no pointer on this platform";
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(40, bar).x(), cell(40, bar).y());
    EXPECT_EQ(keys, (std::vector<int>{kKeyF6}));
    input.left_button = true;
    ticks(20);  // one second
    EXPECT_EQ(std::count(keys.begin(), keys.end(), kKeyF6), 7);
    // F1-F4 repeat nothing.
    keys.clear();
    QCursor::setPos(form->mapToGlobal(cell(3, bar)));
    form->FormMouseDown(kButtonLeft, kModLeftButton, cell(3, bar).x(), cell(3, bar).y());
    ticks(20);
    EXPECT_EQ(keys, (std::vector<int>{kKeyF1}));
}

TEST_F(MainInputTest, PaintRegions) {
    TPrismelMainForm::PaintRegions r = form->paint_regions();
    // Only the main menu: the cells paint the bottom strip (caption, bar, status
    // row and the 2 pixels below the last row), no title image.
    EXPECT_EQ(r.text, QRegion(0, 698 - 74, 920, 74));
    EXPECT_TRUE(r.title.isEmpty());
    EXPECT_EQ(r.background, QRegion(0, 0, 920, 698 - 74));
    open_recorder(40, 10);
    r = form->paint_regions();
    const QRect win(2 * 10, 2 * 24, 39 * 10, 9 * 24);
    EXPECT_TRUE(r.text.contains(win));
    EXPECT_FALSE(r.background.intersects(win));
    EXPECT_EQ(r.background + r.text, QRegion(form->rect()));
}

TEST_F(MainInputTest, TitleImageRegionLeavesTheWindowsOut) {
    form.reset();
    std::filesystem::copy_file(PRISMEL_SOURCE_DIR "/assets/PRSMTITL.BMP", dir.file("PRSMTITL.BMP"));
    start_shown();
    ASSERT_FALSE(form->title_bitmap().isNull());
    EXPECT_DOUBLE_EQ(form->title_aspect(), 640.0 / 300.0);
    TPrismelMainForm::PaintRegions r = form->paint_regions();
    ASSERT_FALSE(r.title_rect.isEmpty());
    // 66 % of 920 is 607, within a fifth of 640: drawn at its own size.
    EXPECT_EQ(r.title_rect.size(), QSize(640, 300));
    open_recorder(40, 10);
    r = form->paint_regions();
    EXPECT_FALSE(r.title.intersects(QRect(20, 48, 390, 216)));
    EXPECT_FALSE(r.background.intersects(r.title));
    // With HideTitle on, the image goes when the sequence is over.
    g_env->hide_title = true;
    form->FormKeyDown(kKeyA, 0);
    EXPECT_TRUE(form->paint_regions().title_rect.isEmpty());
}

TEST_F(MainInputTest, MainMenuLabelsAreWrittenAtEveryPaint) {
    form->repaint();
    EXPECT_EQ(row_text(*g_screen, 26, 1, 5), " 編集");
    EXPECT_EQ(row_text(*g_screen, 27, 81, 6), " 終了 ");
}

TEST(SecondInstance, EndsAtOnceWithMinusOne) {
    if (!std::getenv("PRISMEL_TEST_ISOLATED")) GTEST_SKIP() << "starts the console: run in the test script's namespace";
    SingleInstance held;  // as a running console holds it
    pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        alarm(10);
        execl(PRISMEL_BIN_DIR "/prismel", "prismel", nullptr);
        _exit(99);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255);
}
