// The state message a browser gets: names from CP932 (the 0x5C trail bytes
// included), the cue positions, the presets as the run screen labels them,
// and every fixture's colour and size as the output has them.
#include "web/web_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/text_codec.h"

namespace prismel::web {
namespace {

void name(char* field, size_t size, const char* utf8) {
    std::memset(field, 0, size);
    const std::string cp932 = to_cp932(utf8);
    std::memcpy(field, cp932.data(), std::min(cp932.size(), size));
}

class WebStateTest : public ::testing::Test {
protected:
    WebStateTest() : show_(std::make_unique<ShowData>()) {
        ShowData& s = *show_;
        for (int i = 0; i < kCues; ++i) s.cues[i].scene = s.cues[i].chase = kNone;
        name(s.scenes[0].name, sizeof s.scenes[0].name, "表ソ能");
        name(s.scenes[1].name, sizeof s.scenes[1].name, "say \"hi\"\\\x01");
        name(s.chases[2].name, sizeof s.chases[2].name, "ﾁｪｲｽ");
        s.cues[0].number = 10, s.cues[0].scene = 0;
        s.cues[3].number = 15, s.cues[3].scene = 1;
        s.cues[7].number = 200, s.cues[7].chase = 2;
        for (FkeyRecord& k : s.fkeys) std::memset(&k, 0, sizeof k), k.type = kFkeyNone;
        name(s.fkeys[0].label, sizeof s.fkeys[0].label, "表示ABCD");  // cut to one cap
        s.fkeys[0].type = kFkeyScene;
        name(s.fkeys[1].label, sizeof s.fkeys[1].label, "$ON");
        s.fkeys[1].type = kFkeyStandby;
    }
    std::string message(int current, bool with_cues = true) {
        EngineFields f;
        f.current_cue = current;
        return state_message(builder_.build(*show_, f, monitor_), with_cues);
    }
    std::unique_ptr<ShowData> show_;
    LevelBuffer monitor_{};
    WebStateBuilder builder_;
};

TEST_F(WebStateTest, NamesAreUtf8AndEscaped) {
    EXPECT_EQ(json_string("a\"b\\c\n\x01\x7f表"), "\"a\\\"b\\\\c\\u000a\\u0001\\u007f表\"");
    EXPECT_EQ(cue_name_utf8(*show_, 0), "表ソ能");
    EXPECT_EQ(cue_name_utf8(*show_, 7), "ﾁｪｲｽ");  // no scene: the chase's name
    char full[21];
    std::memset(full, 'A', sizeof full);  // a damaged name without its end
    EXPECT_EQ(name_utf8(full, sizeof full), std::string(21, 'A'));
}

TEST_F(WebStateTest, CuePositionsPresetsAndFixtures) {
    struct Case {
        int current;
        const char* cue;
        const char* next;
    };
    const Case cases[] = {
        {kNone, "\"cue\":null", "\"next\":{\"n\":10,\"name\":\"表ソ能\"}"},
        {0, "\"cue\":{\"n\":10,\"name\":\"表ソ能\"}", "\"next\":{\"n\":15,\"name\":\"say \\\"hi\\\"\\\\\\u0001\"}"},
        {7, "\"cue\":{\"n\":200,\"name\":\"ﾁｪｲｽ\"}", "\"next\":null"},
        {5000, "\"cue\":null", "\"next\":{\"n\":10"},  // a damaged index is standby
    };
    for (const Case& c : cases) {
        const std::string m = message(c.current);
        EXPECT_NE(m.find(c.cue), std::string::npos) << m;
        EXPECT_NE(m.find(c.next), std::string::npos) << m;
    }
    const std::string m = message(kNone);
    EXPECT_NE(m.find("\"cues\":[[10,\"表ソ能\"],[15,"), std::string::npos) << m;
    EXPECT_NE(m.find("[200,\"ﾁｪｲｽ\"]]"), std::string::npos);
    EXPECT_NE(m.find("\"fk\":[{\"l\":\"表示AB\",\"on\":true},{\"l\":\" ON\",\"on\":true},{\"l\":\"\",\"on\":false}"),
              std::string::npos)
        << m;
    EXPECT_EQ(message(kNone, false).find("\"cues\""), std::string::npos);

    set_group(monitor_, 0, 255, 0, 255, 0);  // size, M, C, Y: cyan full -> no red
    set_group(monitor_, 63, 128, 16, 32, 64);
    const std::string lit = message(kNone);
    const size_t fx = lit.find("\"fx\":\"");
    ASSERT_NE(fx, std::string::npos);
    const std::string hex = lit.substr(fx + 6, 64 * 8);
    EXPECT_EQ(hex.substr(0, 8), "00ffffff");
    EXPECT_EQ(hex.substr(8, 8), "ffffff00");  // dark and white: no filter, size 0
    EXPECT_EQ(hex.substr(63 * 8, 8), "dfefbf80");
    EXPECT_EQ(lit[fx + 6 + 64 * 8], '"');
}

TEST_F(WebStateTest, TheCueListIsSentAgainOnlyWhenItChanged) {
    const uint64_t before = builder_.build(*show_, EngineFields{}, monitor_).cues_key;
    EXPECT_EQ(builder_.build(*show_, EngineFields{}, monitor_).cues_key, before);
    name(show_->scenes[0].name, sizeof show_->scenes[0].name, "能");
    const WebState& renamed = builder_.build(*show_, EngineFields{}, monitor_);
    EXPECT_NE(renamed.cues_key, before);
    EXPECT_NE(renamed.cues.find("[10,\"能\"]"), std::string::npos);
}

}  // namespace
}  // namespace prismel::web
