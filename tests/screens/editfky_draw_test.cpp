// What the function-key editor shows: one row per key with its type, target
// and times, also for records from a damaged file, which it edits back into
// shape without reading outside a table.
#include <cstring>

#include "editfky_fixture.h"

namespace prismel::test {
namespace {

class EditfkyDraw : public EditfkyTest {};

TEST_F(EditfkyDraw, EveryKindOfPreset) {
    ASSERT_EQ(g_show.cues.insert(2, 25), 1);
    name_scene(6, sjs("表ソ能の青").c_str());
    name_chase(11, "SPARKLE");
    set_fkey(0, kFkeyCue, 1, 20, 20, "   2.");
    set_fkey(1, kFkeyCue, 2, 20, 20, "   2.5");
    set_fkey(2, kFkeyCue, kNone);
    set_fkey(3, kFkeyScene, 6, 30, 20, "SCN  7");
    set_fkey(4, kFkeyScene, kNone);
    set_fkey(5, kFkeyChase, 11, 6, 1998, "CHS 12");
    set_fkey(6, kFkeyChase, kNone);
    set_fkey(7, kFkeyStandby, kNone, 20, 20, sjs("ｽﾀﾝﾊﾞｲ").c_str());
    open();

    EXPECT_EQ(row(kTop, kLeft, 26), "  ファンクションキーの設定");
    EXPECT_EQ(row(kTop + 1, kLeft + 1, 55),
              " F No.   ﾀｲﾌﾟ   No.   名前                   ﾚｲﾄ  ｸﾛｽ  ");
    const std::string rows[] = {
        " F 1   ｷｭｰ       2.                                   ",
        " F 2   ｷｭｰ       2.5                                  ",
        " F 3   ｷｭｰ    ____._                                  ",
        " F 4   ｼｰﾝ       7   表ソ能の青                  1.5  ",
        " F 5   ｼｰﾝ     ___                                    ",
        " F 6   ﾁｪｲｽ     12   SPARKLE               99.9  0.3  ",
        " F 7   ﾁｪｲｽ     __                                    ",
        " F 8   ｽﾀﾝﾊﾞｲ                                         ",
        " F 9   ______                                         ",
        " F10   ______                                         ",
    };
    for (int k = 0; k < kFkeys; ++k) EXPECT_EQ(key_text(k, 2, 54), rows[k]) << "F" << k + 1;
    EXPECT_EQ(row(key_row(10), kLeft + 1, 55), std::string(55, ' '));

    // The cursor's row has its key in yellow, its cell on the cursor colour.
    EXPECT_EQ(key_cell(0, 3).fg, colour(ColYellow));
    EXPECT_EQ(key_cell(1, 3).fg, colour(WinHiFg));
    EXPECT_TRUE(cursor_on(0, 9));
    EXPECT_EQ(key_cell(8, 9).fg, colour(WinNgFg));  // "______"
    EXPECT_EQ(key_cell(4, 17).fg, colour(WinNgFg));  // " ___  "
    EXPECT_EQ(key_cell(6, 18).fg, colour(WinNgFg));  // "  __  "
    EXPECT_EQ(bar(), " ｷｭｰ| ｼｰﾝ| ﾁｪｲｽ|$ｽﾀﾝﾊﾞｲ|$$$$$$$");
}

TEST_F(EditfkyDraw, ASteadyScreenChangesNothingAndARowIsClearedToItsEnd) {
    set_fkey(0, kFkeyChase, 3, 40, 60);
    name_chase(3, "LONG CHASE NAME HERE");
    open();
    const int before = host_.invalidations;
    tick();
    tick();
    EXPECT_EQ(host_.invalidations, before);
    key(kKeyF(5));
    tick();
    EXPECT_EQ(key_text(0, 9, 47), "ｽﾀﾝﾊﾞｲ" + std::string(41, ' '));
}

class EditfkyDamaged : public EditfkyTest {
protected:
    void SetUp() override {
        FkeyRecord* f = g_show.fkeys;
        set_fkey(0, 7, 900);
        std::memcpy(f[0].label, "ABCDEFGH", 8);  // no terminator
        set_fkey(1, kFkeyScene, 900, -300);
        set_fkey(2, kFkeyChase, -7, 32767, -32768);
        std::memset(f[2].label, 0x81, 8);
        set_fkey(3, kFkeyCue, 5000);
        set_fkey(4, -30000, 3);
        set_fkey(5, kFkeyScene, 4, 32767);
        set_fkey(6, kFkeyChase, 49, -32768, 32767);
        g_show.cues[7].number = -32768;
        set_fkey(7, kFkeyCue, 7);
        // One ASCII byte, then lead bytes to the end and no terminator.
        std::memset(g_show.chases[49].name, 0x83, sizeof g_show.chases[49].name);
        g_show.chases[49].name[0] = 'A';
        g_show.chases[49].step_count = 200;
        open();
    }
};

TEST_F(EditfkyDamaged, ShownAsNone) {
    EXPECT_EQ(key_text(0, 9, 47), "______" + std::string(41, ' '));
    EXPECT_EQ(key_text(1, 9, 13), "ｼｰﾝ     ___  ");
    EXPECT_EQ(key_text(2, 9, 13), "ﾁｪｲｽ     __  ");
    EXPECT_EQ(key_text(3, 9, 13), "ｷｭｰ    ____._");
    EXPECT_EQ(key_text(4, 9, 47), "______" + std::string(41, ' '));
    EXPECT_EQ(key_text(5, 50, 6), "****  ");  // no time the editor sets
    EXPECT_EQ(key_text(6, 45, 11), "**** ****  ");
    EXPECT_EQ(key_text(7, 16, 7), "-3276.8");
    // The name is cut before the lead byte that lost its trail byte.
    EXPECT_EQ(key_cell(6, 23).ch, 'A');
    EXPECT_EQ(key_cell(6, 41).ch, 0x83);
    EXPECT_EQ(key_cell(6, 42).ch, ' ');
    EXPECT_EQ(key_cell(6, 56).attr, 0x140u);  // the frame is untouched
    // Keys that only show where the cursor may go keep it on the type.
    key(kKeyRight);
    tick();
    EXPECT_TRUE(cursor_on(0, 9));
}

TEST_F(EditfkyDamaged, EditedWithoutReadingOutsideATableAndRepaired) {
    const int keys[] = {kKeyRight, kKeyRight, kKeyRight, kKeyDown, '5', kKeyEnter, kKeyShiftWheelUp,
                        kKeyShiftWheelDown, kKeyRefresh, kKeyLeft};
    for (int k = 0; k < kFkeys; ++k) {
        for (int c : keys) {
            input_.escape();
            key(c);
            tick();
        }
    }
    to_key(0);
    key(kKeyDelete);
    EXPECT_EQ(fkey(0).type, kFkeyNone);
    EXPECT_EQ(fkey(0).target, kNone);
    EXPECT_EQ(label(0), "");
    to_key(1);
    key(kKeyF2);
    EXPECT_EQ(fkey(1).target, kNone);
    EXPECT_EQ(fkey(1).xtime, 0);
    to_key(2);
    key(kKeyF1);
    EXPECT_EQ(label(2), "");
    EXPECT_EQ(std::memcmp(fkey(2).label, "\0\0\0\0\0\0\0\0", 8), 0);
    to_key(4);
    key(kKeyF5);
    EXPECT_EQ(fkey(4).type, kFkeyStandby);
    EXPECT_EQ(fkey(4).target, kNone);
    // Nudged from out of range: only the way back in is taken.
    to_key(5);
    key(kKeyRight);
    key(kKeyRight);
    wheel(1, kModShift);
    EXPECT_EQ(fkey(5).xtime, 32767);
    wheel(-1, kModShift);
    EXPECT_EQ(fkey(5).xtime, 32765);
}

}  // namespace
}  // namespace prismel::test
