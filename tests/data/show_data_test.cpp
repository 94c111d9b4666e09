#include "data/show_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/text_codec.h"

namespace prismel {
namespace {

std::unique_ptr<ShowData> fresh_show() { return std::make_unique<ShowData>(); }

void use_cue(CueTable& cues, int i) { cues[i].scene = 0; }

TEST(ShowDefaults, TablesStartWithTheirDefaultRecords) {
    auto show = fresh_show();
    EXPECT_FALSE(show->scenes.failed());
    EXPECT_FALSE(show->cues.failed());
    EXPECT_STREQ(show->cues.message(), "");
    for (int i = 0; i < kCues; ++i) {
        const CueRecord& c = show->cues[i];
        ASSERT_EQ(c.number, (i + 1) * 10);
        ASSERT_EQ(c.scene, kNone);
        ASSERT_EQ(c.chase, kNone);
        ASSERT_EQ(c.scene_xtime, 20);
        ASSERT_EQ(c.rate, 20);
        ASSERT_EQ(c.chase_xtime, 20);
        ASSERT_EQ(c.mode, 0);
        ASSERT_EQ(c.wait, 0);
    }
    for (int i = 0; i < kScenes; ++i) ASSERT_TRUE(show->scenes.is_empty(i));
    EXPECT_EQ(show->scenes[7].size[3], 0);
    EXPECT_EQ(show->chases[49].step_count, 0);
    EXPECT_EQ(show->chases[49].steps[47], kNone);
    EXPECT_EQ(show->patch[63].layout, 1);
    EXPECT_EQ(show->patch[63].start, kNone);
    EXPECT_EQ(show->fkeys[9].type, kFkeyNone);
    EXPECT_EQ(show->fkeys[9].target, kNone);
    EXPECT_EQ(show->fkeys[9].xtime, 20);
    EXPECT_EQ(show->fkeys[9].rate, 20);
    EXPECT_EQ(show->groups[9].member[63], 0);
    EXPECT_EQ(show->colours.rec[499].name[0], '\0');
}

TEST(SceneEmpty, NeedsNoNameAndNoColour) {
    auto show = fresh_show();
    std::strcpy(show->scenes[1].name, "WASH");
    show->scenes[2].colour[63] = 4;
    show->scenes[3].size[0] = 255;  // sizes are not looked at
    EXPECT_FALSE(show->scenes.is_empty(1));
    EXPECT_FALSE(show->scenes.is_empty(2));
    EXPECT_TRUE(show->scenes.is_empty(3));
    EXPECT_FALSE(show->scenes.is_empty(-1));
    EXPECT_FALSE(show->scenes.is_empty(200));
}

TEST(CueSearch, NextPreviousAndLastUsed) {
    auto show = fresh_show();
    CueTable& cues = show->cues;
    EXPECT_EQ(cues.next_used(-1), kNone);
    EXPECT_EQ(cues.last_used(), 0);
    use_cue(cues, 5);
    cues[9].chase = 2;  // a chase alone makes a cue used
    EXPECT_EQ(cues.next_used(-1), 5);
    EXPECT_EQ(cues.next_used(5), 9);
    EXPECT_EQ(cues.next_used(9), kNone);
    EXPECT_EQ(cues.next_used(999), kNone);
    EXPECT_EQ(cues.previous_used(9), 5);
    EXPECT_EQ(cues.previous_used(5), kNone);
    EXPECT_EQ(cues.previous_used(-1), kNone);
    EXPECT_EQ(cues.previous_used(5000), 9);
    EXPECT_EQ(cues.last_used(), 9);
    use_cue(cues, 0);
    EXPECT_EQ(cues.previous_used(0), kNone);
    EXPECT_EQ(cues.previous_used(1), 0);
}

TEST(CueSearch, LastUsedIsZeroForOnlyCueZeroAndForNone) {
    auto show = fresh_show();
    EXPECT_EQ(show->cues.last_used(), 0);
    use_cue(show->cues, 0);
    EXPECT_EQ(show->cues.last_used(), 0);
}

TEST(CueSearch, FindNumberGivesTheFirstEqual) {
    auto show = fresh_show();
    EXPECT_EQ(show->cues.find_number(10), 0);
    EXPECT_EQ(show->cues.find_number(10000), 999);
    EXPECT_EQ(show->cues.find_number(15), kNone);
    show->cues[4].number = 30;
    EXPECT_EQ(show->cues.find_number(30), 2);
}

TEST(CueEdit, InsertMovesRecordsUpAndDropsTheLast) {
    auto show = fresh_show();
    CueTable& cues = show->cues;
    cues[1].scene = 3;
    cues[1].rate = 77;
    ASSERT_EQ(cues.insert(1, 15), 1);
    EXPECT_EQ(cues[0].number, 10);
    EXPECT_EQ(cues[1].number, 15);
    EXPECT_EQ(cues[1].scene, kNone);
    EXPECT_EQ(cues[1].rate, 20);
    EXPECT_EQ(cues[2].number, 20);
    EXPECT_EQ(cues[2].scene, 3);
    EXPECT_EQ(cues[2].rate, 77);
    EXPECT_EQ(cues[3].number, 30);
    EXPECT_EQ(cues[999].number, 9990);
    EXPECT_EQ(cues.find_number(10000), kNone);
}

TEST(CueEdit, InsertIsRefusedWhenTheLastCueIsUsedOrTheIndexIsOutside) {
    auto show = fresh_show();
    EXPECT_EQ(show->cues.insert(-1, 5), 0);
    EXPECT_EQ(show->cues.insert(1000, 5), 0);
    use_cue(show->cues, 999);
    EXPECT_EQ(show->cues.insert(1, 15), 0);
    EXPECT_EQ(show->cues.insert_number(15), 0);
    EXPECT_EQ(show->cues[1].number, 20);
}

TEST(CueEdit, InsertByNumberFindsTheGap) {
    auto show = fresh_show();
    CueTable& cues = show->cues;
    EXPECT_EQ(cues.insert_number(25), 1);
    EXPECT_EQ(cues[2].number, 25);
    EXPECT_EQ(cues[3].number, 30);
    EXPECT_EQ(cues.insert_number(30), 0);  // no gap holds an existing number
    EXPECT_EQ(cues.insert_number(5), 0);   // below the first record: no gap from index 1
    EXPECT_EQ(cues[0].number, 10);
    EXPECT_EQ(cues[3].number, 30);
}

TEST(CueEdit, DeleteMovesDownAndRenumbersTheLast) {
    auto show = fresh_show();
    CueTable& cues = show->cues;
    cues[999].rate = 55;
    cues[999].scene = 4;
    cues.remove(1);
    EXPECT_EQ(cues[0].number, 10);
    EXPECT_EQ(cues[1].number, 30);
    EXPECT_EQ(cues[998].number, 10000);
    EXPECT_EQ(cues[998].scene, 4);
    EXPECT_EQ(cues[999].number, 10010);
    EXPECT_FALSE(cues.is_used(999));
    EXPECT_EQ(cues[999].rate, 55);  // its other fields keep what they had
}

TEST(CueEdit, DeleteOutsideTheTableDoesNothingAndTopNumbersDoNotWrap) {
    auto show = fresh_show();
    show->cues.remove(-1);
    show->cues.remove(1000);
    EXPECT_EQ(show->cues[1].number, 20);
    show->cues[999].number = 32767;
    show->cues.remove(0);
    EXPECT_EQ(show->cues[999].number, 32767);
}

TEST(ColourLookups, OutsideTheTableGiveNoneEmptyOrBlack) {
    auto show = fresh_show();
    ColourTable& col = show->colours;
    col.rec[499] = ColourRecord{"LAST", 1, 2, 3};
    uint8_t y = 9, m = 9, c = 9;
    EXPECT_FALSE(col.levels(-1, y, m, c));
    EXPECT_FALSE(col.levels(500, y, m, c));
    EXPECT_FALSE(col.levels(650, y, m, c));
    EXPECT_TRUE(col.levels(499, y, m, c));
    EXPECT_EQ(y, 1);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(c, 3);
    char buf[6] = "xxxxx";
    col.name(650, buf);
    EXPECT_STREQ(buf, "");
    col.name(499, buf);
    EXPECT_STREQ(buf, "LAST");
    EXPECT_EQ(col.display_colour(-1), 0u);
    EXPECT_EQ(col.display_colour(650), 0u);
}

TEST(ColourLookups, DisplayColourInvertsLevelsIntoBlueGreenRed) {
    auto show = fresh_show();
    show->colours.rec[0] = ColourRecord{"CYAN", 0, 0, 255};
    show->colours.rec[1] = ColourRecord{"X", 0x10, 0x20, 0x30};
    EXPECT_EQ(show->colours.display_colour(0), 0xFFFF00u);
    EXPECT_EQ(show->colours.display_colour(1), 0xEFDFCFu);
}

TEST(ColourLookups, NameOfAFullFieldIsCutToFiveBytes) {
    auto show = fresh_show();
    std::memcpy(show->colours.rec[3].name, "ABCDEF", 6);  // no terminator, as a corrupted file may hold
    char buf[6];
    show->colours.name(3, buf);
    EXPECT_STREQ(buf, "ABCDE");
}

TEST(FindColourByName, TrimsAndIgnoresAsciiCase) {
    auto show = fresh_show();
    ColourTable& col = show->colours;
    std::strcpy(col.rec[7].name, " RED ");
    std::strcpy(col.rec[9].name, "RED");
    EXPECT_EQ(col.find_by_name("  red\t "), 7);
    EXPECT_STREQ(col.rec[7].name, "RED");  // stored names are trimmed in place
    EXPECT_EQ(col.find_by_name("Re"), kNone);
    EXPECT_EQ(col.find_by_name("REDS"), kNone);
    EXPECT_EQ(col.find_by_name(""), kNone);
    EXPECT_EQ(col.find_by_name("   "), kNone);
    EXPECT_EQ(col.find_by_name(nullptr), kNone);
}

TEST(FindColourByName, NeverFoldsShiftJisTrailBytes) {
    auto show = fresh_show();
    ColourTable& col = show->colours;
    // ア is 83 41 and ヂ is 83 61: folding the trail byte would make them equal.
    std::strcpy(col.rec[2].name, sj("ア"));
    std::strcpy(col.rec[5].name, sj("ヂ"));
    std::strcpy(col.rec[6].name, sj("表"));  // trail byte 0x5C
    EXPECT_EQ(col.find_by_name(sj("ヂ")), 5);
    EXPECT_EQ(col.find_by_name(sj("ア")), 2);
    EXPECT_EQ(col.find_by_name(sj(" 表 ")), 6);
    EXPECT_EQ(col.find_by_name(sj("ソ")), kNone);
    std::strcpy(col.rec[8].name, "\xB1");  // half-width katakana stay as they are
    EXPECT_EQ(col.find_by_name("\xB1"), 8);
    EXPECT_EQ(col.find_by_name("\x91"), kNone);
}

TEST(FindColourByName, ComparesTheFirstTenBytesOfLongQueries) {
    auto show = fresh_show();
    std::strcpy(show->colours.rec[4].name, "AMBER");
    EXPECT_EQ(show->colours.find_by_name("amber     x"), kNone);  // inner blanks stay
    EXPECT_EQ(show->colours.find_by_name("AMBER12345"), kNone);
}

TEST(ChaseSteps, StepCountIsLimitedToTheRecord) {
    ChaseRecord r{};
    r.step_count = 200;
    EXPECT_EQ(step_count_of(r), kChaseSteps);
    r.step_count = 12;
    EXPECT_EQ(step_count_of(r), 12);
}

}  // namespace
}  // namespace prismel
