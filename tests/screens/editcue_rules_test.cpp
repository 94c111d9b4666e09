// The cue list's editing rules on the cue table alone.
#include <gtest/gtest.h>

#include <vector>

#include "data/show_data.h"
#include "screens/editcue_rules.h"

namespace prismel::test {
namespace {

class EditcueRules : public ::testing::Test {
protected:
    EditcueRules() { t.reset(); }
    void use(int i, int scene, int chase = kNone) {
        t[i].scene = static_cast<int16_t>(scene);
        t[i].chase = static_cast<int16_t>(chase);
    }
    std::vector<int> numbers(int from, int n) const {
        std::vector<int> v;
        for (int i = from; i < from + n; ++i) v.push_back(t[i].number);
        return v;
    }
    CueTable t;
};

TEST_F(EditcueRules, PointCueBetweenFiveAndSixTakesOnlyTheTenthsBetween) {
    // Cue 5. is at position 4, cue 6. at 5: the new cue goes in at 5.
    for (int tenths = 48; tenths <= 61; ++tenths) {
        CueTable& table = t;
        table.reset();
        const PointInsert done = insert_point_cue(table, 5, tenths);
        const bool between = tenths > 50 && tenths < 60;
        EXPECT_EQ(done, between ? PointInsert::kInserted : PointInsert::kOutOfRange) << tenths;
        EXPECT_EQ(numbers(4, 3), between ? (std::vector<int>{50, tenths, 60}) : (std::vector<int>{50, 60, 70}))
            << tenths;
    }
    EXPECT_EQ(insert_point_cue(t, 5, -1), PointInsert::kOutOfRange);  // a number no cue can carry
}

TEST_F(EditcueRules, PointCueRefusedOnTheFirstRecordAndWhenTheLastIsUsed) {
    struct Case {
        int at;
        int last_scene;
        bool possible;
    } cases[] = {{0, kNone, false}, {1, kNone, true}, {999, kNone, true}, {5, 3, false}, {1000, kNone, false}};
    for (const Case& c : cases) {
        t.reset();
        use(999, c.last_scene);
        EXPECT_EQ(point_insert_possible(t, c.at), c.possible) << c.at;
        if (!c.possible) {
            EXPECT_EQ(insert_point_cue(t, c.at, 55), PointInsert::kNoRoom) << c.at;
            EXPECT_EQ(t[999].number, 10000);
        }
    }
}

TEST_F(EditcueRules, InsertedCueIsFreshAndTheLastRecordDropsOut) {
    use(5, 7, 2);
    t[5].wait = 40;
    ASSERT_EQ(insert_point_cue(t, 5, 55), PointInsert::kInserted);
    EXPECT_EQ(t[5].scene, kNone);
    EXPECT_EQ(t[5].chase, kNone);
    EXPECT_EQ(t[5].rate, 20);
    EXPECT_EQ(t[5].wait, 0);
    EXPECT_EQ(t[6].scene, 7);  // cue 6. moved down with its contents
    EXPECT_EQ(t[6].wait, 40);
    EXPECT_EQ(t[999].number, 9990);
}

TEST_F(EditcueRules, DeletingAPointCueMovesTheRestUpAndRenumbersTheLast) {
    ASSERT_EQ(insert_point_cue(t, 5, 55), PointInsert::kInserted);
    use(6, 9);
    t[999].wait = 33;
    t[999].mode = 1;
    EXPECT_TRUE(delete_point_cue(t, 5));
    EXPECT_EQ(numbers(4, 3), (std::vector<int>{50, 60, 70}));
    EXPECT_EQ(t[5].scene, 9);
    // The last record: the number before it rounded down to a whole cue,
    // plus one; no scene, no chase, its other fields as they were.
    EXPECT_EQ(t[998].number, 9990);
    EXPECT_EQ(t[999].number, 10000);
    EXPECT_EQ(t[999].scene, kNone);
    EXPECT_EQ(t[999].wait, 33);
    EXPECT_EQ(t[999].mode, 1);
    for (int i = 1; i < kCues; ++i) ASSERT_LT(t[i - 1].number, t[i].number) << i;
}

TEST_F(EditcueRules, WholeCuesAreNotDeleted) {
    for (int at : {0, 4, 999, -1, 1000}) EXPECT_FALSE(delete_point_cue(t, at)) << at;
    EXPECT_EQ(numbers(0, 3), (std::vector<int>{10, 20, 30}));
}

// Range copy: the sources are cues 1-3 (positions 0-2), used.
class EditcueRangeCopy : public EditcueRules {
protected:
    EditcueRangeCopy() {
        for (int i = 0; i < 3; ++i) {
            use(i, 10 + i, i);
            t[i].wait = static_cast<int16_t>(i + 1);
        }
    }
};

TEST_F(EditcueRangeCopy, ChecksOfThePrompts) {
    struct Case {
        int first, last, destination;
        CopyStop stop;
    } cases[] = {
        {10, 30, 100, CopyStop::kNone},     {995, 30, 100, CopyStop::kNotFound}, {-1, 30, 100, CopyStop::kNotFound},
        {10, 35, 100, CopyStop::kNotFound}, {30, 10, 100, CopyStop::kInvalid},   {10, 30, 20, CopyStop::kInvalid},
        {10, 30, 30, CopyStop::kInvalid},   {10, 30, 105, CopyStop::kNotFound},  {10, 30, -1, CopyStop::kNotFound},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(check_copy_destination(t, c.first, c.last, c.destination), c.stop)
            << c.first << " " << c.last << " " << c.destination;
        EXPECT_EQ(copy_cue_range(t, c.first, c.last, c.destination).stop, c.stop);
    }
    EXPECT_EQ(check_copy_first(t, 10), CopyStop::kNone);
    EXPECT_EQ(check_copy_last(t, 10, 10), CopyStop::kNone);
}

TEST_F(EditcueRangeCopy, OneToThreeOntoTenFillsTenElevenTwelve) {
    const CopyOutcome out = copy_cue_range(t, 10, 30, 100);
    EXPECT_EQ(out.stop, CopyStop::kNone);
    EXPECT_EQ(out.copied, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t[9 + i].number, 100 + 10 * i);
        EXPECT_EQ(t[9 + i].scene, 10 + i);
        EXPECT_EQ(t[9 + i].chase, i);
        EXPECT_EQ(t[9 + i].wait, i + 1);
    }
    EXPECT_FALSE(t.is_used(12));
    EXPECT_EQ(t[0].scene, 10);  // the sources stay
}

TEST_F(EditcueRangeCopy, DestinationTenthsAreIgnoredAndPointCuesAreInsertedAtTheirPlace) {
    ASSERT_EQ(insert_point_cue(t, 1, 15), PointInsert::kInserted);  // cue 1.5 at position 1
    use(1, 42);
    const CopyOutcome out = copy_cue_range(t, 15, 15, 100);
    EXPECT_EQ(out.stop, CopyStop::kNone);
    EXPECT_EQ(t[10].number, 100);
    EXPECT_EQ(t[11].number, 105);  // 10.5 inserted after 10.
    EXPECT_EQ(t[11].scene, 42);
    EXPECT_EQ(t[12].number, 110);
    EXPECT_FALSE(t.is_used(10));
}

TEST_F(EditcueRangeCopy, StopsOnAUsedTargetAndKeepsWhatWasCopied) {
    use(10, 99);  // cue 11.
    const CopyOutcome out = copy_cue_range(t, 10, 30, 100);
    EXPECT_EQ(out.stop, CopyStop::kTargetUsed);
    EXPECT_EQ(out.copied, 1);
    EXPECT_EQ(t[9].scene, 10);
    EXPECT_EQ(t[10].scene, 99);
    EXPECT_FALSE(t.is_used(11));
}

TEST_F(EditcueRangeCopy, TargetsPastTheNumberFieldStopTheCopy) {
    // A list that reaches cue 3276.: the copy of cues 1-3 there would carry
    // cue 3. to 3278., past the field's 3276.7.
    t[998].number = 32750;
    t[999].number = 32760;
    const CopyOutcome out = copy_cue_range(t, 10, 30, 32760);
    EXPECT_EQ(out.stop, CopyStop::kNoRoom);
    EXPECT_EQ(out.copied, 1);
    EXPECT_EQ(t[999].scene, 10);
    for (int i = 1; i < kCues; ++i) ASSERT_LT(t[i - 1].number, t[i].number) << i;
}

TEST_F(EditcueRangeCopy, AMissingTargetInAFullListStopsTheCopy) {
    ASSERT_EQ(insert_point_cue(t, 1, 15), PointInsert::kInserted);
    use(1, 42);
    use(999, 1);
    const CopyOutcome out = copy_cue_range(t, 10, 20, 100);  // 1. -> 10., 1.5 -> 10.5 (missing)
    EXPECT_EQ(out.stop, CopyStop::kNoRoom);
    EXPECT_EQ(out.copied, 1);
    EXPECT_EQ(t.find_number(105), kNone);
}

TEST_F(EditcueRangeCopy, TargetsAmongTheSourcesGetTheSourcesAsTheyWere) {
    // Cues 1.-3.2 to 3.5: cue 1. lands on 3. (free, a source itself), cue
    // 3. on 5.; the copy of 3. carries 3. as it was, not what 1. put there.
    ASSERT_EQ(insert_point_cue(t, 3, 32), PointInsert::kInserted);  // 3.2 at position 3
    ASSERT_EQ(insert_point_cue(t, 4, 35), PointInsert::kInserted);  // 3.5, the destination
    use(2, kNone);                                                   // cue 3. free
    use(3, 77);
    const CopyOutcome out = copy_cue_range(t, 10, 32, 35);
    EXPECT_EQ(out.stop, CopyStop::kNone);
    EXPECT_EQ(out.copied, 4);
    EXPECT_EQ(t[t.find_number(30)].scene, 10);
    EXPECT_EQ(t[t.find_number(40)].scene, 11);
    EXPECT_FALSE(t.is_used(t.find_number(50)));
    EXPECT_EQ(t[t.find_number(52)].scene, 77);
}

TEST_F(EditcueRangeCopy, ADamagedSourceIsRepairedNotSpread) {
    t[0].scene = 300;
    t[0].chase = 99;
    t[0].mode = 7;
    t[0].rate = -40;
    t[1].mode = 1;
    t[1].rate = 32767;
    EXPECT_EQ(copy_cue_range(t, 10, 20, 100).stop, CopyStop::kNone);
    EXPECT_FALSE(t.is_used(9));
    EXPECT_EQ(t[9].mode, 0);
    EXPECT_EQ(t[9].rate, 0);
    EXPECT_EQ(t[10].mode, 1);
    EXPECT_EQ(t[10].rate, 32767);  // long, but playable as it is
}

}  // namespace
}  // namespace prismel::test
