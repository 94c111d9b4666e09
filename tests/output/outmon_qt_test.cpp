// The output monitor window, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "output/Outmon_qt.h"
#include "platform/ini_profile.h"
#include "platform/simulated_remote_port.h"
#include "support/qt_app.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

class OutmonForm : public ::testing::Test {
protected:
    OutmonForm() : engine_(show_, port_) {
        qt_app();
        engine_.initialise();
        engine_.release();
        show_.patch[0] = PatchRecord{1, 0};
        show_.patch[1] = PatchRecord{3, 10};
        ColourRecord& c = show_.colours.rec[2];
        c.y = 0x10;
        c.m = 0x20;
        c.c = 0x30;
        show_.scenes[4].colour[0] = 2;
        show_.scenes[4].size[0] = 255;
        show_.scenes[4].colour[1] = 2;
    }
    ~OutmonForm() override { engine_.shut_down(); }

    ShowData show_;
    SimulatedRemotePort port_;
    PlaybackEngine engine_;
    TempDir dir_;
};

TEST_F(OutmonForm, ShowsLevelsInChannelOrderAndTheStatusLine) {
    TOutMonForm form(engine_, show_, nullptr);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.StringGrid1->rowCount(), 8);
    EXPECT_EQ(form.StringGrid1->columnCount(), 8);
    engine_.call_scene(4, StoredDuration(0));
    DmxFrame frame{};
    engine_.step(frame);
    engine_.push_snapshot();
    form.Timer1Timer();
    EXPECT_EQ(form.StringGrid1->item(0, 0)->text(), "01: sFF m20 c30 y10");
    EXPECT_EQ(form.StringGrid1->item(0, 1)->text(), "02: 10");
    EXPECT_EQ(form.StringGrid1->item(7, 7)->text(), "64: ___");
    EXPECT_EQ(form.status_text(), "scn:5 chs:__ col:__  stack=1");
}

TEST_F(OutmonForm, StaysOnTopAndRemembersWhereItWasLeft) {
    {
        IniProfile fresh(dir_.file("none.INI"));
        TOutMonForm form(engine_, show_, &fresh);
        form.show();
        EXPECT_EQ(form.pos(), QPoint(100, 100));
        form.hide();
        EXPECT_FALSE(form.Timer1->isActive());
    }
    const std::string ini_path = dir_.file("Prismel.INI");
    write_text(ini_path, "[General]\nOutMonitorLeft=321\nOutMonitorTop=123\n");
    IniProfile ini(ini_path);
    {
        TOutMonForm form(engine_, show_, &ini);
        EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
        form.show();
        EXPECT_EQ(form.pos(), QPoint(321, 123));
        EXPECT_TRUE(form.Timer1->isActive());
        form.move(400, 200);
        form.close();
        EXPECT_FALSE(form.Timer1->isActive());
    }
    EXPECT_EQ(ini.read_int("General", "OutMonitorLeft", 0), 400);
    EXPECT_EQ(ini.read_int("General", "OutMonitorTop", 0), 200);
    EXPECT_EQ(ini.read_int("General", "OutMonitorWidth", -1), -1);  // a dialog keeps its size

    ini.write_int("General", "OutMonitorLeft", -5000);  // left on a screen that is gone
    TOutMonForm form(engine_, show_, &ini);
    form.show();
    EXPECT_EQ(form.pos(), QPoint(100, 100));
}

// It can be closed from the keyboard: Esc, when it has the keyboard, closes it
// as its close button does (the place is kept); other keys leave it.
TEST_F(OutmonForm, EscClosesItAndKeepsWhereItWas) {
    IniProfile ini(dir_.file("Prismel.INI"));
    TOutMonForm form(engine_, show_, &ini);
    form.show();
    form.move(250, 150);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&form, &other);
    EXPECT_FALSE(form.isHidden());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form, &esc);
    EXPECT_TRUE(form.isHidden());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(ini.read_int("General", "OutMonitorLeft", 0), 250);
}

}  // namespace
}  // namespace prismel::test
