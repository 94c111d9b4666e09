// The page's action messages, and anything else a socket can carry, which
// is no action.
#include "web/web_actions.h"

#include <gtest/gtest.h>

#include <random>

namespace prismel::web {
namespace {

using Kind = PlaybackAction::Kind;

TEST(WebActions, TheMessagesOfThePageAndNothingElse) {
    const struct {
        std::string message;
        std::optional<PlaybackAction> action;
    } cases[] = {
        {"go", PlaybackAction::of(Kind::go)},           {"back", PlaybackAction::of(Kind::back)},
        {"standby", PlaybackAction::of(Kind::standby)}, {"cue 125", PlaybackAction::of(Kind::cue, 125)},
        {"cue 32767", PlaybackAction::of(Kind::cue, 32767)}, {"fkey 9", PlaybackAction::of(Kind::fkey, 9)},
        {"cue 32768", {}}, {"cue -1", {}}, {"cue 12.5", {}}, {"cue ", {}}, {"cue 0000125", {}}, {"fkey 10", {}},
        {"GO", {}}, {"go ", {}}, {std::string("go\0", 3), {}}, {"scene 1", {}}, {std::string(300, 'g'), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_action(c.message), c.action) << c.message;
    std::mt19937 rng(11);
    for (int round = 0; round < 20000; ++round) {
        std::string m = round % 2 ? "cue " : "fkey ";
        for (int i = int(rng() % 12); i > 0; --i) m += char(rng() % 4 ? '0' + rng() % 10 : rng() % 256);
        const auto a = parse_action(m);
        EXPECT_TRUE(!a || (a->number >= 0 && a->number <= 32767)) << m;
    }
}

}  // namespace
}  // namespace prismel::web
