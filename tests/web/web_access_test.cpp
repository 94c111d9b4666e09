// The PIN, the sessions and the lockout, on a clock that moves only when
// told and a random source the test controls.
#include "web/web_access.h"

#include <gtest/gtest.h>

#include <set>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

using std::chrono::seconds;

// Each call gives other bytes: the call's number, then zeros.
RandomSource counting_source() {
    auto calls = std::make_shared<uint32_t>(0);
    return [calls](uint8_t* out, size_t n) {
        ++*calls;
        for (size_t i = 0; i < n; ++i) out[i] = i < 4 ? uint8_t(*calls >> (8 * i)) : 0;
        return true;
    };
}

TEST(WebAccess, PinsAsSettingsGiveThemAndAsTheyAreMade) {
    for (const char* good : {"1234", "000000", "123456789012"}) EXPECT_TRUE(valid_pin(good)) << good;
    for (const char* bad : {"", "123", "1234567890123", "12a4", " 1234", "-1234"}) EXPECT_FALSE(valid_pin(bad)) << bad;
    // Bytes 250-255 are thrown away, so every digit is equally likely.
    uint8_t bytes[] = {250, 255, 3, 14, 249, 0, 9, 100};
    size_t at = 0;
    const RandomSource scripted = [&](uint8_t* out, size_t n) {
        for (size_t i = 0; i < n; ++i) out[i] = bytes[at++ % sizeof bytes];
        return true;
    };
    EXPECT_EQ(make_pin(scripted), "349090");
    EXPECT_EQ(make_pin([](uint8_t*, size_t) { return false; }), "");
    const std::string made = make_pin(system_random);
    EXPECT_TRUE(made.size() == 6 && valid_pin(made)) << made;
}

TEST(WebAccess, WrongPinsLockAnAddressOutForAMinute) {
    WebAccess access("2468", counting_source());
    const Clock::time_point t0{};
    std::string token;
    struct Step {
        const char* address;
        int at_seconds;
        const char* pin;
        LoginResult result;
    };
    const Step steps[] = {
        {"2.0.0.9", 0, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 1, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 2, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 3, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 4, "2468", LoginResult::accepted},  // four wrong ones are no lockout
        {"2.0.0.9", 5, "1111", LoginResult::wrong_pin},  // the fifth within the minute
        {"2.0.0.9", 6, "2468", LoginResult::locked_out},
        {"2.0.0.7", 6, "2468", LoginResult::accepted},   // another address is not concerned
        {"2.0.0.9", 64, "2468", LoginResult::locked_out},
        {"2.0.0.9", 65, "2468", LoginResult::accepted},  // a minute after the fifth
        {"2.0.0.5", 100, "1", LoginResult::wrong_pin},
        {"2.0.0.5", 120, "12", LoginResult::wrong_pin},
        {"2.0.0.5", 140, "123", LoginResult::wrong_pin},
        {"2.0.0.5", 160, "12345", LoginResult::wrong_pin},
        {"2.0.0.5", 180, "24680", LoginResult::wrong_pin},  // five, but not within one minute
        {"2.0.0.5", 181, "2468", LoginResult::accepted},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(access.login(s.address, s.pin, t0 + seconds(s.at_seconds), token), s.result)
            << s.address << " at " << s.at_seconds << "s with " << s.pin;
    }
    EXPECT_EQ(access.session_count(), 4);
}

TEST(WebAccess, TokensAreLongRandomAndKeptForThisRunOnly) {
    WebAccess access("2468", counting_source());
    std::set<std::string> tokens;
    std::string first, token;
    for (int i = 0; i < kMaxSessions + 1; ++i) {
        ASSERT_EQ(access.login("a", "2468", Clock::time_point{}, token), LoginResult::accepted);
        EXPECT_EQ(token.size(), 2 * kTokenBytes);  // 256 bits in hex
        EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos);
        EXPECT_TRUE(access.valid_token(token));
        tokens.insert(token);
        if (i == 0) first = token;
    }
    EXPECT_EQ(tokens.size(), size_t(kMaxSessions + 1));
    EXPECT_FALSE(access.valid_token(first)) << "the oldest session goes when the book is full";
    EXPECT_FALSE(access.valid_token(""));
    EXPECT_FALSE(access.valid_token(token.substr(1)));
    WebAccess restarted("2468", counting_source());
    EXPECT_FALSE(restarted.valid_token(token));
    WebAccess broken("2468", [](uint8_t*, size_t) { return false; });
    EXPECT_EQ(broken.login("a", "2468", Clock::time_point{}, token), LoginResult::no_token);
    EXPECT_EQ(broken.session_count(), 0);
    EXPECT_EQ(WebAccess::cookie_for("ab12"), "prismel_session=ab12; Path=/; HttpOnly; SameSite=Strict");
}

TEST(WebAccess, AFloodOfAddressesDoesNotGrowWithoutBound) {
    WebAccess access("2468", counting_source());
    std::string token;
    for (size_t i = 0; i < 3 * kMaxTrackedAddresses; ++i)
        access.login(std::to_string(i), "0", Clock::time_point{}, token);
    EXPECT_EQ(access.login("x", "2468", Clock::time_point{}, token), LoginResult::accepted);
}

}  // namespace
}  // namespace prismel::web
