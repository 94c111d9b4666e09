#include "platform/window_place.h"

#include <gtest/gtest.h>

#include "platform/ini_profile.h"
#include "support/temp_dir.h"

using namespace prismel;
using prismel::test::TempDir;

TEST(WindowPlace, PositionOnlyUnlessBothDefaultSizesArePositive) {
    TempDir dir;
    IniProfile ini(dir.file("P.INI"));
    WindowPlace start{1, 2, 300, 200};
    WindowPlace p = restore_window_place(ini, "OutMonitor", start, 100, 100, 0, 0);
    EXPECT_EQ(p.left, 100);
    EXPECT_EQ(p.top, 100);
    EXPECT_EQ(p.width, 300);
    EXPECT_EQ(p.height, 200);

    save_window_place(ini, "OutMonitor", {40, 50, 640, 480}, true);
    EXPECT_EQ(ini.read_int("General", "OutMonitorLeft", 0), 40);
    EXPECT_EQ(ini.read_int("General", "OutMonitorTop", 0), 50);
    EXPECT_EQ(ini.read_int("General", "OutMonitorWidth", -1), -1);

    save_window_place(ini, "Dlg", {1, 2, 640, 480}, false);
    p = restore_window_place(ini, "Dlg", start, 0, 0, 10, 10);
    EXPECT_EQ(p.width, 640);
    EXPECT_EQ(p.height, 480);
    p = restore_window_place(ini, "Dlg", start, 0, 0, 10, 0);
    EXPECT_EQ(p.width, 300);
}
