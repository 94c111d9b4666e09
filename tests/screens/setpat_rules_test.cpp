// Where a fixture may start: the patch rules over a bare table.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "screens/setpat_rules.h"

namespace prismel::test {
namespace {

struct Patched {
    int fixture, layout, start;
};

struct Table {
    PatchTable patch;
    explicit Table(std::initializer_list<Patched> patched) {
        for (PatchRecord& p : patch) p = {1, kNone};
        for (const Patched& p : patched)
            patch[p.fixture] = {static_cast<int16_t>(p.layout), static_cast<int16_t>(p.start)};
    }
};

TEST(SetpatRules, TypedStartRangeKeepsEveryChannelInTheUniverse) {
    struct Case {
        int layout, last;
    };
    for (const Case& c : std::vector<Case>{{1, 509}, {2, 510}, {3, 512}, {4, 509}, {9, 510}, {0, 510}, {-1, 510},
                                           {32767, 510}}) {
        SCOPED_TRACE(c.layout);
        EXPECT_EQ(typed_start_range(c.layout).first, 1);
        EXPECT_EQ(typed_start_range(c.layout).last, c.last);
    }
}

TEST(SetpatRules, ContinueFromTheFixtureBefore) {
    struct Case {
        const char* what;
        std::vector<Patched> patched;
        int fixture;
        Continuation expected;
        int start;
    };
    const std::vector<Case> cases = {
        {"the first fixture starts at channel 1", {}, 0, Continuation::kStart, 0},
        {"after COLCOM at 1", {{0, 4, 0}}, 1, Continuation::kStart, 4},
        {"after SCRCHG at 7", {{2, 3, 6}}, 3, Continuation::kStart, 7},
        {"after COLFDR at 10", {{4, 2, 9}}, 5, Continuation::kStart, 12},
        {"after a type 9 at 10: three channels", {{4, 9, 9}}, 5, Continuation::kStart, 12},
        {"after TURBO at 509", {{6, 1, 508}}, 7, Continuation::kBeyond, 512},
        {"after SCRCHG at 512", {{6, 3, 511}}, 7, Continuation::kBeyond, 512},
        {"a SCRCHG fits on 512", {{6, 3, 510}, {7, 3, kNone}}, 7, Continuation::kStart, 511},
        {"a TURBO does not fit from 511", {{6, 3, 509}, {7, 1, kNone}}, 7, Continuation::kBeyond, 510},
        {"after an unpatched fixture", {}, 9, Continuation::kNothing, kNone},
        {"after a start beyond the universe", {{9, 1, 700}}, 10, Continuation::kNothing, kNone},
        {"after a negative start", {{9, 1, -5}}, 10, Continuation::kNothing, kNone},
        {"the last fixture", {{62, 1, 100}}, 63, Continuation::kStart, 104},
        {"no fixture -1", {}, -1, Continuation::kNothing, kNone},
        {"no fixture 64", {{63, 1, 0}}, 64, Continuation::kNothing, kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table t({});
        for (const Patched& p : c.patched)
            t.patch[p.fixture] = {static_cast<int16_t>(p.layout), static_cast<int16_t>(p.start)};
        const ContinueResult r = continue_start(t.patch, c.fixture);
        EXPECT_EQ(r.what, c.expected);
        if (c.expected != Continuation::kNothing) {
            EXPECT_EQ(r.start, c.start);
        }
    }
}

TEST(SetpatRules, OnlyWhereTheNewStartFallsCounts) {
    struct Case {
        const char* what;
        Patched other;
        int start;
        bool clash;
    };
    const std::vector<Case> cases = {
        {"two channels before a TURBO", {5, 1, 10}, 8, false},
        {"on its start", {5, 1, 10}, 10, true},
        {"on its last channel", {5, 1, 10}, 13, true},
        {"right after it", {5, 1, 10}, 14, false},
        {"a SCRCHG takes its start only", {5, 3, 10}, 10, true},
        {"after a SCRCHG", {5, 3, 10}, 11, false},
        {"a type 9 counts three", {5, 9, 10}, 12, true},
        {"after a type 9", {5, 9, 10}, 13, false},
        {"the fixture itself does not count", {0, 1, 10}, 11, false},
        {"a negative start does not count", {5, 1, -3}, 0, false},
        {"a start beyond the universe does not count", {5, 1, 700}, 511, false},
        {"a fixture running past the last slot counts", {5, 1, 510}, 511, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table t({c.other});
        const int clash = clash_at(t.patch, 0, c.start);
        EXPECT_EQ(clash, c.clash ? c.other.fixture : kNone);
    }
}

TEST(SetpatRules, EveryEditWritesOneOfTheFourLayouts) {
    const PatchRecord damaged{9, 700};
    EXPECT_EQ(retyped(damaged, 3).layout, 3);
    EXPECT_EQ(retyped(damaged, 3).start, 700);  // a type change keeps the start
    EXPECT_EQ(placed(damaged, 20).layout, 2);   // it was shown and counted as COLFDR
    EXPECT_EQ(placed(damaged, 20).start, 20);
    EXPECT_EQ(unpatched(damaged).layout, 2);
    EXPECT_EQ(unpatched(damaged).start, kNone);
    EXPECT_EQ(placed(PatchRecord{4, kNone}, 0).layout, 4);
    EXPECT_FALSE(is_patched(PatchRecord{1, kNone}));
    EXPECT_TRUE(is_patched(PatchRecord{1, 0}));
    EXPECT_TRUE(is_patched(PatchRecord{1, 511}));
    EXPECT_FALSE(is_patched(PatchRecord{1, 512}));
}

}  // namespace
}  // namespace prismel::test
