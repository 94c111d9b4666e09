// What subscribers are told, and for how long.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine_fixture.h"
#include "platform/text_codec.h"
#include "remote/osc_feedback.h"

namespace prismel::remote {
namespace {

class OscFeedback : public test::EngineTest {};

TEST_F(OscFeedback, CurrentAndNextCueWithTheirScenesNames) {
    std::strcpy(show().scenes[0].name, sj("表ソ能"));  // 0x5C trail bytes
    std::strcpy(show().scenes[1].name, "Wash");
    set_chase(0, {1});
    set_cue(0, 0, 0);
    set_cue(2, 1, 0);
    cue(2).number = 125;
    set_cue(5, kNone, 0, 0);
    cue(5).number = 30;
    const struct {
        int go_to;
        FeedbackState want;
    } cases[] = {
        {kNone, {{}, {"1", "表ソ能"}, false}},
        {0, {{"1", "表ソ能"}, {"12.5", "Wash"}, true}},
        {2, {{"12.5", "Wash"}, {"3", ""}, true}},
        {5, {{"3", ""}, {}, true}},  // a chase only: no scene name; the last cue: no next
    };
    for (const auto& c : cases) {
        engine_.go_to_cue(c.go_to);
        EXPECT_EQ(read_feedback_state(engine_, show()), c.want) << c.go_to;
    }
    const std::vector<OscMessage> m = feedback_messages(cases[1].want);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].address, "/prismel/cue/current");
    EXPECT_EQ(m[0].args[1].text, "表ソ能");
    EXPECT_EQ(m[1].address, "/prismel/cue/next");
    EXPECT_EQ(m[1].args[0].text, "12.5");
    EXPECT_EQ(m[2].address, "/prismel/state");
    EXPECT_EQ(m[2].args[0].text, "running");
    EXPECT_EQ(feedback_messages(cases[0].want)[2].args[0].text, "standby");
}

TEST(Subscribers, SixtySecondsAfterTheLastSubscribe) {
    using namespace std::chrono;
    const Subscribers::Clock::time_point t0{};
    const UdpPeer a{0x02000002, 9001}, b{0x02000003, 9001};
    Subscribers s;
    s.subscribe(a, t0);
    s.subscribe(b, t0 + seconds(30));
    s.subscribe(a, t0 + seconds(50));  // renewed, not added twice
    const struct {
        int at;
        std::vector<UdpPeer> want;
    } cases[] = {{80, {a, b}}, {89, {a, b}}, {90, {a}}, {109, {a}}, {110, {}}};
    for (const auto& c : cases) {
        s.expire(t0 + seconds(c.at));
        EXPECT_EQ(s.peers(), c.want) << c.at;
    }
    for (uint16_t p = 0; p <= Subscribers::kCapacity; ++p) s.subscribe({0x02000002, uint16_t(1000 + p)}, t0 + seconds(p));
    const std::vector<UdpPeer> full = s.peers();
    ASSERT_EQ(full.size(), Subscribers::kCapacity);
    EXPECT_EQ(full.front().port, 1001);  // the longest-standing place was given up
}

}  // namespace
}  // namespace prismel::remote
