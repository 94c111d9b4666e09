// What the run screen shows, read back from the character grid.
#include "runscr_fixture.h"

namespace prismel::test {
namespace {

// Screen column of fixture i's name cell and its row.
int fixture_column(int i) { return 2 + (i % 8) * 10 + 4; }
int fixture_row(int i) { return i / 8 + 2; }

class RunscrDraw : public RunscrTest {
protected:
    void SetUp() override {
        use_cue(2, 7, 30);
        use_cue(5, 8);
        name_scene(7, "OPENING");
        g_show.scenes[0].colour[0] = 1;
        open();
    }
};

TEST_F(RunscrDraw, StandbyShowsItsLabelAndTheFirstUsedCuesBelow) {
    tick();
    EXPECT_EQ(row(kCueRow, 4, 12), "ｽﾀﾝﾊﾞｲ      ");
    EXPECT_EQ(cell(4, kCueRow).bg, colour(HeaderC));
    EXPECT_EQ(row(kCueRow - 1, 4, 20), std::string(20, ' '));
    EXPECT_EQ(row(kCueRow + 1, 4, 12), "    3.  GO  ");
    EXPECT_EQ(row(kCueRow + 2, 4, 12), "    6.  GO  ");
    EXPECT_EQ(row(kStatusRow, 6, 20), std::string(20, ' '));
}

TEST_F(RunscrDraw, TheCurrentRowShowsTheCueAndWhetherItsSceneWasCalledOver) {
    key(kKeyEnter);
    tick();
    EXPECT_EQ(row(kCueRow, 4, 38), "    3.  GO     8  OPENING             ");
    EXPECT_EQ(cell(4, kCueRow).bg, colour(HeaderY));
    EXPECT_EQ(cell(17, kCueRow).bg, colour(WinFg));    // own scene: number
    EXPECT_EQ(cell(23, kCueRow).bg, colour(HeaderC));  // and name
    EXPECT_EQ(row(kStatusRow, 6, 21), "実行中 ｷｭｰNo.:   3.  ");
    key(kKeyF1);
    tick();
    EXPECT_EQ(row(kCueRow, 16, 5), "   1 ");
    EXPECT_EQ(cell(17, kCueRow).bg, colour(HeaderR));
    EXPECT_EQ(cell(23, kCueRow).bg, colour(HeaderG));
    // The neighbours: the cue after shows its own scene in plain colours.
    EXPECT_EQ(row(kCueRow + 1, 4, 18), "    6.  GO     9  ");
    EXPECT_EQ(cell(17, kCueRow + 1).bg, colour(WinBg));
}

TEST_F(RunscrDraw, AfterTheLastCueTheListShowsStandbyThenTheFirstCueAgain) {
    key(kKeyEnter);
    key(kKeyEnter);
    tick();
    EXPECT_EQ(row(kCueRow - 1, 4, 7), "    3. ");
    EXPECT_EQ(row(kCueRow, 4, 7), "    6. ");
    EXPECT_EQ(row(kCueRow + 1, 2, 81), std::string(81, ' '));
    EXPECT_EQ(row(kCueRow + 2, 4, 7), "    3. ");
}

TEST_F(RunscrDraw, WaitGaugeFollowsTheEngineCountdown) {
    g_show.cues[2].wait = 20;  // 1.0 s
    key(kKeyEnter);
    tick();
    const int gauge = 4 + 7 + 1 + 2;
    EXPECT_EQ(cell(gauge, kCueRow).ch, 0xF0);
    EXPECT_EQ(cell(gauge + 1, kCueRow).ch, 0x40 + 15);
    step(steps_of(StoredDuration(20)) / 2);  // half the wait has passed
    tick();
    EXPECT_EQ(cell(gauge + 1, kCueRow).ch, 0x40 + 7);
    EXPECT_EQ(cell(gauge + 1, kCueRow).fg, colour(WinFg));
}

TEST_F(RunscrDraw, ShiftShowsTheAuxiliaryBarAndReleaseEndsThePreview) {
    set_chase(0, {1, 2});
    g_show.cues[5].chase = 0;
    key(kKeyEnter);
    hold_shift();
    key(kKeyF8, kModShift);
    tick();
    EXPECT_EQ(row(kCaptionRow, 1, 13), " 補助メニュー");
    EXPECT_EQ(row(kBarRow, 9, 6), "ﾌﾟﾘｾｯﾄ");
    EXPECT_EQ(row(kBarRow, 2, 6), "      ");
    EXPECT_EQ(row(kBarRow, 74, 6), "      ");
    EXPECT_EQ(row(kBarRow, 67, 6), "呼復帰");
    EXPECT_EQ(row(kStatusRow, 6, 50), "ﾌﾟﾚﾋﾞｭｰ  ｷｭｰNo.:   6.   ｼｰﾝNo.:  9   ﾁｪｲｽNo.: 1: 1");
    EXPECT_EQ(cell(4, kCueRow + 1).bg, colour(ColRed));  // the previewed cue
    key(kKeyF8, kModShift);  // past the last cue: nothing previewed
    tick();
    EXPECT_EQ(row(kStatusRow, 6, 50), "ﾌﾟﾚﾋﾞｭｰ  ｷｭｰNo.:____._  ｼｰﾝNo.:___   ﾁｪｲｽNo.:__:__");
    release_shift();
    tick();
    EXPECT_EQ(row(kStatusRow, 6, 21), "実行中 ｷｭｰNo.:   3.  ");
    EXPECT_EQ(row(kBarRow, 2, 6), "SCN  1");
    EXPECT_EQ(cell(4, kCueRow + 1).bg, colour(WinBg));
    key(kKeyHome);
    keys_.shift = true;
    tick();
    EXPECT_EQ(row(kBarRow, 2, 6), "ｼｰﾝ呼 ");
}

TEST_F(RunscrDraw, PresetBarShowsEachLabelOnItsOwnCap) {
    set_fkey(0, kFkeyCue, 2, 20, 20, "ABCDEFG");  // one byte longer than a cap
    set_fkey(1, kFkeyScene, 3, 20, 20, "$X");
    set_fkey(2, kFkeyScene, 3, 20, 20, "SC|N");
    key(kKeyHome);
    tick();
    EXPECT_EQ(row(kCaptionRow, 1, 21), " プリセットの呼び出し");
    EXPECT_EQ(row(kBarRow, 2, 6), "ABCDEF");
    EXPECT_EQ(row(kBarRow, 9, 6), " X    ");
    EXPECT_EQ(row(kBarRow, 16, 6), "SC    ");
    EXPECT_EQ(cell(23, kBarRow).bg, colour(Button));  // empty labels are still keys
    EXPECT_EQ(cell(74, kBarRow).bg, colour(WinBg));   // F11 is no key
}

class RunscrFixtures : public RunscrTest {
protected:
    void SetUp() override {
        set_colour(0, "RED", 255, 255, 0);
        set_colour(1, "BLUE", 0, 255, 255);
        g_show.scenes[3].colour[0] = 0;
        g_show.scenes[4].colour[0] = 1;
        g_show.scenes[4].colour[1] = 1;
        g_show.chases[0].step_count = 1;
        g_show.chases[0].steps[0] = 4;
        use_cue(2, 3, 0, 0);
        open();
        key(kKeyEnter);
    }
};

TEST_F(RunscrFixtures, SceneColoursWinOverTheChaseStepsColours) {
    tick();
    EXPECT_EQ(row(fixture_row(0), fixture_column(0) - 2, 9), " 1  RED  ");
    EXPECT_EQ(cell(fixture_column(0) - 2, fixture_row(0)).bg, colour(HeaderG));
    EXPECT_EQ(cell(fixture_column(0), fixture_row(0)).bg, colour(HeaderC));
    EXPECT_EQ(cell(fixture_column(0), fixture_row(0)).attr, kAttrUnderline);
    const ChwCell& swatch = cell(fixture_column(0) + 5, fixture_row(0));
    EXPECT_EQ(swatch.bg, 0x0000FFu);  // red = 255 - C, green = 255 - M, blue = 255 - Y
    EXPECT_EQ(swatch.attr, kAttrEdgeLeft | kAttrEdgeTop | kAttrEdgeBottom);
    EXPECT_EQ(row(fixture_row(1), fixture_column(1), 5), " BLUE");
    EXPECT_EQ(cell(fixture_column(1) + 5, fixture_row(1)).bg, 0xFF0000u);
    EXPECT_EQ(row(fixture_row(2), fixture_column(2), 7), "       ");
    EXPECT_EQ(cell(fixture_column(2), fixture_row(2)).bg, colour(ColBlue));
    EXPECT_EQ(cell(fixture_column(2) + 5, fixture_row(2)).bg, colour(WinNgFg));
    EXPECT_EQ(row(fixture_row(63), fixture_column(63) - 2, 2), "64");
}

TEST_F(RunscrFixtures, HoldKeepsTheLastColoursInHoldColours) {
    tick();
    g_engine.hold();
    g_engine.call_scene(kNone, StoredDuration(0));
    tick();
    EXPECT_EQ(row(fixture_row(0), fixture_column(0), 5), "  RED");
    EXPECT_EQ(cell(fixture_column(0), fixture_row(0)).bg, colour(HeaderR));
    EXPECT_EQ(cell(fixture_column(0), fixture_row(0)).fg, colour(WinFg));
    EXPECT_EQ(cell(fixture_column(0) + 5, fixture_row(0)).bg, 0x0000FFu);
    g_engine.release();
    tick();
    EXPECT_EQ(row(fixture_row(0), fixture_column(0), 5), " BLUE");  // now from the chase
    EXPECT_EQ(cell(fixture_column(0), fixture_row(0)).bg, colour(HeaderC));
}

TEST_F(RunscrFixtures, StandbyUnderHoldSaysSo) {
    key(kKeyEnter);
    g_engine.hold();
    tick();
    EXPECT_EQ(row(kCueRow, 4, 7), "ﾎｰﾙﾄﾞ中");
    EXPECT_EQ(cell(4, kCueRow).bg, colour(HeaderR));
    g_engine.release();
}

TEST_F(RunscrFixtures, PreviewShowsThePreviewedCuesColoursOnYellow) {
    g_show.scenes[5].colour[7] = 1;
    use_cue(4, 5);
    key(kKeyF8, kModShift);
    tick();
    EXPECT_EQ(row(fixture_row(7), fixture_column(7), 5), " BLUE");
    EXPECT_EQ(cell(fixture_column(7), fixture_row(7)).bg, colour(HeaderY));
    EXPECT_EQ(row(fixture_row(0), fixture_column(0), 5), "     ");
}

TEST_F(RunscrFixtures, ASteadyScreenChangesNothing) {
    tick();
    const int before = host_.invalidations;
    tick();
    tick();
    EXPECT_EQ(host_.invalidations, before);
}

}  // namespace
}  // namespace prismel::test
