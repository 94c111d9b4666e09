// The PIN, the sessions and the lockout, on a clock that moves only when
// told and a random source the test controls.
#include "web/web_access.h"

#include <gtest/gtest.h>

#include <set>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

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
    for (const char* good : {"1234", "123456789012"}) EXPECT_TRUE(valid_pin(good)) << good;
    for (const char* bad : {"", "123", "1234567890123", "12a4", " 1234"}) EXPECT_FALSE(valid_pin(bad)) << bad;
    uint8_t bytes[] = {250, 255, 3, 14, 249, 0, 9, 100};  // 250-255 are thrown away: no digit favoured
    size_t at = 0;
    EXPECT_EQ(make_pin([&](uint8_t* out, size_t n) { return *out = bytes[at++ % 8], n == 1; }), "349090");
    EXPECT_EQ(make_pin([](uint8_t*, size_t) { return false; }), "");
    EXPECT_TRUE(valid_pin(make_pin(system_random)));
}

TEST(WebAccess, WrongPinsLockAnAddressOutForAMinute) {
    WebAccess access("2468", counting_source());
    std::string token;
    const struct {
        const char* address;
        int at_seconds;
        const char* pin;
        LoginResult result;
    } steps[] = {
        {"2.0.0.9", 0, "1111", LoginResult::wrong_pin},  {"2.0.0.9", 1, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 2, "1111", LoginResult::wrong_pin},  {"2.0.0.9", 3, "1111", LoginResult::wrong_pin},
        {"2.0.0.9", 4, "2468", LoginResult::accepted},   // four wrong ones are no lockout
        {"2.0.0.9", 5, "1111", LoginResult::wrong_pin},  // the fifth within the minute
        {"2.0.0.9", 6, "2468", LoginResult::locked_out},
        {"2.0.0.7", 6, "2468", LoginResult::accepted},   // another address is not concerned
        {"2.0.0.9", 64, "2468", LoginResult::locked_out},
        {"2.0.0.9", 65, "2468", LoginResult::accepted},  // a minute after the fifth
        {"2.0.0.5", 100, "1", LoginResult::wrong_pin},   {"2.0.0.5", 120, "12", LoginResult::wrong_pin},
        {"2.0.0.5", 140, "123", LoginResult::wrong_pin}, {"2.0.0.5", 160, "12345", LoginResult::wrong_pin},
        {"2.0.0.5", 180, "0", LoginResult::wrong_pin},   // five, but not within one minute
        {"2.0.0.5", 181, "2468", LoginResult::accepted},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(access.login(s.address, s.pin, Clock::time_point{} + std::chrono::seconds(s.at_seconds), token),
                  s.result)
            << s.address << " at " << s.at_seconds << "s with " << s.pin;
    }
    for (size_t i = 0; i < 3 * kMaxTrackedAddresses; ++i) access.login(std::to_string(i), "0", {}, token);
    EXPECT_EQ(access.login("x", "2468", {}, token), LoginResult::accepted) << "a flood of addresses is forgotten";
}

TEST(WebAccess, TokensAreLongRandomAndKeptForThisRunOnly) {
    WebAccess access("2468", counting_source());
    std::set<std::string> tokens;
    std::string first, token;
    for (int i = 0; i < kMaxSessions + 1; ++i) {
        ASSERT_EQ(access.login("a", "2468", {}, token), LoginResult::accepted);
        EXPECT_TRUE(token.size() == 2 * kTokenBytes && access.valid_token(token));  // 256 bits in hex
        tokens.insert(token);
        if (i == 0) first = token;
    }
    EXPECT_EQ(tokens.size(), size_t(kMaxSessions + 1));
    EXPECT_FALSE(access.valid_token(first)) << "the oldest session goes when the book is full";
    EXPECT_FALSE(access.valid_token(token.substr(1)));
    EXPECT_FALSE(WebAccess("2468", counting_source()).valid_token(token)) << "a restart forgets every session";
    WebAccess broken("2468", [](uint8_t*, size_t) { return false; });
    EXPECT_EQ(broken.login("a", "2468", {}, token), LoginResult::no_token);
    EXPECT_EQ(WebAccess::cookie_for("ab12"), "prismel_session=ab12; Path=/; HttpOnly; SameSite=Strict");
}

}  // namespace
}  // namespace prismel::web
