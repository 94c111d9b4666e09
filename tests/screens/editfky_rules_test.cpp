// The function-key editor's rules over single records: where the cursor may
// stand, what a key does to a preset, the labels, records from a damaged file.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "data/show_data.h"
#include "platform/text_codec.h"
#include "screens/editfky_rules.h"

namespace prismel::test {
namespace {

FkeyRecord record(int type, int target) {
    FkeyRecord r{};
    r.type = static_cast<int16_t>(type);
    r.target = static_cast<int16_t>(target);
    r.xtime = kDefaultDuration;
    r.rate = kDefaultDuration;
    return r;
}

TEST(EditfkyRules, ColumnLimitsByTypeAndTarget) {
    struct Case {
        int type, target, limit, clamp_of_3;
    } cases[] = {
        {kFkeyNone, kNone, 0, 0},     {kFkeyStandby, kNone, 0, 0}, {kFkeyCue, kNone, 1, 1},
        {kFkeyCue, 999, 1, 1},        {kFkeyScene, kNone, 1, 1},   {kFkeyScene, 199, 2, 3},
        {kFkeyChase, kNone, 1, 3},    {kFkeyChase, 49, 3, 3},
        // Damaged: unknown types are none, targets past their table unchosen.
        {7, 3, 0, 0},                 {-9, 3, 0, 0},               {kFkeyScene, 900, 1, 1},
        {kFkeyChase, 50, 1, 3},       {kFkeyCue, 1000, 1, 1},      {kFkeyScene, -7, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " target " << c.target);
        const FkeyRecord r = record(c.type, c.target);
        EXPECT_EQ(fkey_column_limit(r), c.limit);
        EXPECT_EQ(fkey_clamped_click(r, 3), c.clamp_of_3);
        for (int column = 0; column < kFkeyColumns; ++column)
            EXPECT_EQ(fkey_limited_column(r, column), column <= c.limit ? column : 0);
    }
}

TEST(EditfkyRules, ClickedColumns) {
    const FkeyRecord scene = record(kFkeyScene, 3);
    const FkeyRecord chase = record(kFkeyChase, 3);
    struct Case {
        int x, scene_column, chase_column;
    } cases[] = {{0, 0, 0},  {13, 0, 0},  {14, 2, 2},  {16, 1, 1},  {20, 1, 1}, {21, 2, 2},
                 {44, 2, 2}, {47, 2, 2},  {48, 2, 2},  {49, 2, 3},  {52, 2, 3}, {53, 2, 2}, {-1, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(fkey_click_column(scene, c.x, 2), c.scene_column);
        EXPECT_EQ(fkey_click_column(chase, c.x, 2), c.chase_column);
    }
}

TEST(EditfkyRules, Labels) {
    // The cue texts are the data's label style; the longest still fits the field.
    EXPECT_STREQ(fkey_cue_label(15).text, "   1.5");
    EXPECT_STREQ(fkey_cue_label(-32768).text, "-3276.8");
    EXPECT_STREQ(fkey_scene_label(0).text, "SCN  1");
    EXPECT_STREQ(fkey_scene_label(199).text, "SCN200");
    EXPECT_STREQ(fkey_chase_label(49).text, "CHS 50");
}

TEST(EditfkyRules, KeysOnAPreset) {
    FkeyRecord r = record(kFkeyChase, 4);
    r.xtime = 70;
    r.rate = 9;
    std::memcpy(r.label, "CHS  5", 7);

    fkey_choose_type(r, kFkeyScene);
    EXPECT_EQ(r.type, kFkeyScene);
    EXPECT_EQ(r.target, kNone);
    EXPECT_STREQ(r.label, "");
    EXPECT_EQ(r.xtime, 70);  // a scene keeps the cross time it had
    fkey_set_scene(r, 2);
    EXPECT_EQ(r.target, 2);
    EXPECT_STREQ(r.label, "SCN  3");

    fkey_choose_type(r, kFkeyChase);
    EXPECT_EQ(r.xtime, kDefaultDuration);
    EXPECT_EQ(r.rate, kDefaultDuration);
    fkey_set_chase(r, 9);
    EXPECT_STREQ(r.label, "CHS 10");

    fkey_choose_type(r, kFkeyStandby);
    EXPECT_EQ(r.target, kNone);
    EXPECT_EQ(to_utf8(r.label), "ｽﾀﾝﾊﾞｲ");
    fkey_choose_type(r, kFkeyCue);
    fkey_set_cue(r, 7, 75);
    EXPECT_EQ(r.target, 7);
    EXPECT_STREQ(r.label, "   7.5");

    r.xtime = 4;
    r.rate = 6;
    fkey_clear(r);
    EXPECT_EQ(r.type, kFkeyNone);
    EXPECT_EQ(r.target, kNone);
    EXPECT_EQ(r.xtime, kDefaultDuration);
    EXPECT_EQ(r.rate, kDefaultDuration);
    EXPECT_STREQ(r.label, "");
}

TEST(EditfkyRules, EditingRepairsADamagedRecord) {
    struct Edit {
        const char* what;
        void (*apply)(FkeyRecord&);
        const char* label;
    } edits[] = {
        {"delete", [](FkeyRecord& r) { fkey_clear(r); }, ""},
        {"cue", [](FkeyRecord& r) { fkey_choose_type(r, kFkeyCue); }, ""},
        {"scene", [](FkeyRecord& r) { fkey_choose_type(r, kFkeyScene); }, ""},
        {"chase", [](FkeyRecord& r) { fkey_choose_type(r, kFkeyChase); }, ""},
        {"standby", [](FkeyRecord& r) { fkey_choose_type(r, kFkeyStandby); }, "ｽﾀﾝﾊﾞｲ"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        FkeyRecord r = record(7, 900);
        std::memcpy(r.label, "ABCDEFGH", 8);  // no terminator
        r.xtime = -300;
        r.rate = 30000;
        e.apply(r);
        EXPECT_EQ(static_cast<int>(fkey_type_of(r)), r.type);  // a type the keys know
        EXPECT_EQ(r.target, kNone);
        EXPECT_EQ(to_utf8(r.label), e.label);
        for (std::size_t i = std::strlen(r.label); i < sizeof r.label; ++i) EXPECT_EQ(r.label[i], '\0');
        EXPECT_TRUE(r.xtime >= 0 && r.xtime <= 1998);
        EXPECT_TRUE(r.rate >= 0 && r.rate <= 1998);
    }
}

TEST(EditfkyRules, TypedNumbers) {
    auto chases = std::make_unique<ChaseTable>();
    (*chases)[4].step_count = 1;
    (*chases)[49].step_count = 200;  // damaged, but it has steps
    struct Case {
        int typed;
        TypedRef scene, chase;
    } cases[] = {{0, TypedRef::kOutOfRange, TypedRef::kOutOfRange}, {1, TypedRef::kTaken, TypedRef::kEmptyChase},
                 {5, TypedRef::kTaken, TypedRef::kTaken},            {50, TypedRef::kTaken, TypedRef::kTaken},
                 {51, TypedRef::kTaken, TypedRef::kOutOfRange},      {200, TypedRef::kTaken, TypedRef::kOutOfRange},
                 {201, TypedRef::kOutOfRange, TypedRef::kOutOfRange}, {-1, TypedRef::kOutOfRange, TypedRef::kOutOfRange}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(check_typed_scene(c.typed), c.scene);
        EXPECT_EQ(check_typed_chase(*chases, c.typed), c.chase);
    }

    auto cues = std::make_unique<CueTable>();
    ASSERT_EQ(cues->insert(1, 15), 1);
    EXPECT_EQ(fkey_cue_of_typed(*cues, 1.5), 1);
    EXPECT_EQ(fkey_cue_of_typed(*cues, 2.0), 2);
    EXPECT_EQ(fkey_cue_of_typed(*cues, 2.09), 2);  // tenths rounded down
    EXPECT_EQ(fkey_cue_of_typed(*cues, 2.15), kNone);
    EXPECT_EQ(fkey_cue_of_typed(*cues, 1e9), kNone);
}

}  // namespace
}  // namespace prismel::test
