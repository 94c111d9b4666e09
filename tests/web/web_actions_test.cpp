// The page's action messages: each one the page sends, and anything else a
// socket can carry, which is no action.
#include "web/web_actions.h"

#include <gtest/gtest.h>

#include <random>

namespace prismel::web {
namespace {

using Kind = PlaybackAction::Kind;

TEST(WebActions, TheMessagesOfThePage) {
    struct Case {
        std::string message;
        bool action;
        Kind kind;
        int number;
    };
    const Case cases[] = {
        {"go", true, Kind::go, 0},         {"back", true, Kind::back, 0},
        {"standby", true, Kind::standby, 0}, {"cue 125", true, Kind::cue, 125},
        {"cue 32767", true, Kind::cue, 32767}, {"cue 0", true, Kind::cue, 0},
        {"fkey 0", true, Kind::fkey, 0},   {"fkey 9", true, Kind::fkey, 9},
        {"cue 32768", false, Kind::go, 0}, {"cue -1", false, Kind::go, 0},
        {"cue 12.5", false, Kind::go, 0},  {"cue ", false, Kind::go, 0},
        {"cue 0000125", false, Kind::go, 0}, {"fkey 10", false, Kind::go, 0},
        {"GO", false, Kind::go, 0},        {"go ", false, Kind::go, 0},
        {"go\n", false, Kind::go, 0},      {"", false, Kind::go, 0},
        {std::string("go\0", 3), false, Kind::go, 0}, {"scene 1", false, Kind::go, 0},
        {"again", false, Kind::go, 0},     {std::string(300, 'g'), false, Kind::go, 0},
    };
    for (const Case& c : cases) {
        const auto a = parse_action(c.message);
        EXPECT_EQ(a.has_value(), c.action) << c.message;
        if (!a || !c.action) continue;
        EXPECT_EQ(a->kind, c.kind) << c.message;
        EXPECT_EQ(a->number, c.number) << c.message;
    }
}

TEST(WebActions, RandomMessagesAreReadSafely) {
    std::mt19937 rng(11);
    for (int round = 0; round < 20000; ++round) {
        std::string m = round % 2 ? "cue " : "fkey ";
        const int n = int(rng() % 12);
        for (int i = 0; i < n; ++i) m += char(rng() % 4 ? '0' + rng() % 10 : rng() % 256);
        const auto a = parse_action(m);
        if (!a) continue;
        const int hi = a->kind == Kind::cue ? 32767 : 9;
        EXPECT_TRUE(a->number >= 0 && a->number <= hi) << m;
    }
}

}  // namespace
}  // namespace prismel::web
