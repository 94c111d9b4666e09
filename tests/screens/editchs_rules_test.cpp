// Step insert and remove, clear, copy and naming on chase records, and the
// repair of records read from damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "data/show_data.h"
#include "platform/text_codec.h"
#include "screens/editchs_rules.h"

namespace prismel::test {
namespace {

ChaseRecord chase_of(std::vector<int> steps) {
    ChaseRecord c;
    ChaseTable::set_default(c);
    c.step_count = static_cast<uint8_t>(steps.size());
    for (size_t k = 0; k < steps.size() && k < kChaseSteps; ++k) c.steps[k] = static_cast<int16_t>(steps[k]);
    return c;
}

// The count and all 48 slots, so that a slot past the count is checked too.
std::vector<int> slots(const ChaseRecord& c, int n) {
    std::vector<int> v{c.step_count};
    for (int k = 0; k < n; ++k) v.push_back(c.steps[k]);
    return v;
}

std::vector<int> full(int first = 0) {
    std::vector<int> v;
    for (int k = 0; k < kChaseSteps; ++k) v.push_back(first + k);
    return v;
}

TEST(ChaseRules, InsertMovesTheFollowingStepsDown) {
    struct Case {
        std::vector<int> before;
        int at, scene;
        bool done;
        std::vector<int> after;  // count, then the first five slots
    } cases[] = {
        {{}, 0, 4, true, {1, 4, -1, -1, -1, -1}},
        {{1, 2, 3}, 0, 9, true, {4, 9, 1, 2, 3, -1}},
        {{1, 2, 3}, 3, 9, true, {4, 1, 2, 3, 9, -1}},     // the free slot: appended
        {{1, 2, 3}, 1, 9, true, {4, 1, 9, 2, 3, -1}},
        {{1, 2, 3}, 17, 9, true, {4, 1, 2, 3, 9, -1}},    // past the free slot: appended
        {{1, 2, 3}, -2, 9, true, {4, 9, 1, 2, 3, -1}},
        {{1, 2, 3}, 0, 200, false, {3, 1, 2, 3, -1, -1}}, // no such scene
        {{1, 2, 3}, 0, kNone, false, {3, 1, 2, 3, -1, -1}},
    };
    for (const Case& c : cases) {
        ChaseRecord r = chase_of(c.before);
        EXPECT_EQ(insert_chase_step(r, c.at, c.scene), c.done) << c.at;
        EXPECT_EQ(slots(r, 5), c.after) << c.at << " " << c.scene;
    }
}

TEST(ChaseRules, FortyEightStepsTakeNoMore) {
    ChaseRecord r = chase_of(full());
    const ChaseRecord before = r;
    EXPECT_TRUE(chase_is_full(r));
    EXPECT_FALSE(insert_chase_step(r, 0, 5));
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);

    r = chase_of(full());
    r.step_count = 47;
    EXPECT_TRUE(insert_chase_step(r, 0, 100));
    EXPECT_EQ(r.step_count, 48);
    EXPECT_EQ(r.steps[0], 100);
    EXPECT_EQ(r.steps[47], 46);  // step 47 (index 46) moved into the last slot
}

TEST(ChaseRules, RemoveMovesTheFollowingStepsUp) {
    struct Case {
        std::vector<int> before;
        int at;
        bool done;
        std::vector<int> after;
    } cases[] = {
        {{1, 2, 3}, 0, true, {2, 2, 3, -1, -1}},
        {{1, 2, 3}, 2, true, {2, 1, 2, -1, -1}},
        {{1, 2, 3}, 3, false, {3, 1, 2, 3, -1}},  // the free slot
        {{1, 2, 3}, -1, false, {3, 1, 2, 3, -1}},
        {{7}, 0, true, {0, -1, -1, -1, -1}},
        {{}, 0, false, {0, -1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        ChaseRecord r = chase_of(c.before);
        EXPECT_EQ(remove_chase_step(r, c.at), c.done) << c.at;
        EXPECT_EQ(slots(r, 4), c.after) << c.at;
    }
    ChaseRecord r = chase_of(full());
    EXPECT_TRUE(remove_chase_step(r, 0));
    EXPECT_EQ(r.step_count, 47);
    EXPECT_EQ(r.steps[46], 47);
    EXPECT_EQ(r.steps[47], kNone);
}

// A record as a damaged file leaves it: count 200, scenes outside the
// table, slots that are not none past the count, a name without terminator.
ChaseRecord damaged() {
    ChaseRecord r;
    std::memset(r.name, 'C', sizeof r.name);
    r.step_count = 200;
    for (int k = 0; k < kChaseSteps; ++k) r.steps[k] = static_cast<int16_t>(k % 2 ? 900 : k);
    return r;
}

void expect_sound(const ChaseRecord& r) {
    ASSERT_LE(r.step_count, kChaseSteps);
    for (int k = 0; k < kChaseSteps; ++k) {
        if (k >= r.step_count)
            EXPECT_EQ(r.steps[k], kNone) << k;
        else
            EXPECT_TRUE(r.steps[k] == kNone || valid_scene(r.steps[k])) << k;
    }
    EXPECT_NE(std::memchr(r.name, 0, sizeof r.name), nullptr);
}

TEST(ChaseRules, EveryEditOfADamagedRecordRepairsIt) {
    ChaseRecord r = damaged();
    EXPECT_FALSE(insert_chase_step(r, 0, 1));  // counts as 48 steps: full, left alone
    EXPECT_EQ(r.step_count, 200);

    EXPECT_TRUE(remove_chase_step(r, 0));
    expect_sound(r);
    EXPECT_EQ(r.step_count, 47);
    EXPECT_EQ(r.steps[0], kNone);  // was 900
    EXPECT_EQ(r.steps[1], 2);
    EXPECT_EQ(std::string(r.name), std::string(20, 'C'));

    ChaseRecord short_one = chase_of({4, 5});
    short_one.steps[2] = 77;  // junk past the count
    std::memset(short_one.name, 'N', sizeof short_one.name);
    ASSERT_TRUE(insert_chase_step(short_one, 2, 6));
    expect_sound(short_one);
    EXPECT_EQ(slots(short_one, 4), (std::vector<int>{3, 4, 5, 6, -1}));

    ChaseRecord copy = chase_of({});
    copy_chase(copy, damaged());
    expect_sound(copy);
    EXPECT_EQ(copy.step_count, 48);

    ChaseRecord cleared = damaged();
    clear_chase_steps(cleared);
    expect_sound(cleared);
    EXPECT_EQ(cleared.step_count, 0);

    ChaseRecord named = damaged();
    set_chase_name(named, "X");
    expect_sound(named);
    EXPECT_STREQ(named.name, "X");
}

TEST(ChaseRules, NamesAreCutAtAWholeCharacter) {
    const std::string kanji = sj("表ソ能表ソ能表ソ能表ソ能");  // 24 bytes, trail bytes 0x5C
    struct Case {
        std::string typed, stored;
    } cases[] = {
        {kanji, sj("表ソ能表ソ能表ソ能表")},
        {"A" + kanji, "A" + std::string(sj("表ソ能表ソ能表ソ能"))},  // 19 bytes: the next would pass 20
    };
    for (const Case& c : cases) {
        ChaseRecord r = chase_of({1});
        std::memset(r.name, 'Q', sizeof r.name);
        set_chase_name(r, c.typed);
        EXPECT_EQ(std::string(r.name), c.stored);
        for (size_t i = c.stored.size(); i < sizeof r.name; ++i) EXPECT_EQ(r.name[i], 0) << i;
    }
}

}  // namespace
}  // namespace prismel::test
