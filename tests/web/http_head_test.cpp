// Request heads as browsers and attackers send them: what is read, what is
// refused, and random bytes that must never be read outside the buffer.
#include "web/http_head.h"

#include <gtest/gtest.h>

#include <random>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

TEST(HttpHead, ScanFindsTheEndWithinTheLimit) {
    EXPECT_EQ(scan_head("GET / HTTP/1.1\r\nHost: a\r\n").scan, HeadScan::need_more);
    const HeadExtent e = scan_head("GET / HTTP/1.1\r\n\r\nBODY");
    EXPECT_EQ(e.scan, HeadScan::complete);
    EXPECT_EQ(e.length, 18u);
    EXPECT_EQ(scan_head(std::string(kMaxHeadBytes, 'a')).scan, HeadScan::too_large);
    EXPECT_EQ(scan_head(std::string(kMaxHeadBytes, 'a') + "\r\n\r\n").scan, HeadScan::too_large);
}

TEST(HttpHead, ParsesRequestsAndRefusesMalformedOnes) {
    struct Case {
        const char* head;
        bool ok;
        const char* method;
        const char* path;
    };
    const Case cases[] = {
        {"GET / HTTP/1.1\r\nHost: 2.0.0.1:8080\r\n\r\n", true, "GET", "/"},
        {"POST /login?x=1 HTTP/1.0\r\nContent-Length: 10\r\n\r\n", true, "POST", "/login"},
        {"GET /ws HTTP/1.1\r\nUpgrade:websocket\r\nConnection: keep-alive, Upgrade\r\n\r\n", true, "GET", "/ws"},
        {"GET / HTTP/2.0\r\n\r\n", false, "", ""},
        {"GET http://evil/ HTTP/1.1\r\n\r\n", false, "", ""},         // absolute form
        {"GET  / HTTP/1.1\r\n\r\n", false, "", ""},                   // two spaces
        {"GE T / HTTP/1.1\r\n\r\n", false, "", ""},
        {"GET /\x01 HTTP/1.1\r\n\r\n", false, "", ""},
        {"GET / HTTP/1.1\r\nNo colon here\r\n\r\n", false, "", ""},
        {"GET / HTTP/1.1\r\nHost : a\r\n\r\n", false, "", ""},        // space before the colon
        {"GET / HTTP/1.1\r\n folded: line\r\n\r\n", false, "", ""},
        {"GET / HTTP/1.1\r\nX: caf\xC3\xA9\r\n\r\n", false, "", ""},  // bytes above ASCII
        {"GET / HTTP/1.1\r\n\r", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        HttpHead h;
        EXPECT_EQ(parse_head(c.head, h), c.ok) << c.head;
        if (!c.ok) continue;
        EXPECT_EQ(h.method, c.method);
        EXPECT_EQ(h.path, c.path);
    }
    std::string many = "GET / HTTP/1.1\r\n";
    for (size_t i = 0; i <= kMaxHeaderLines; ++i) many += "X: y\r\n";
    HttpHead h;
    EXPECT_FALSE(parse_head(many + "\r\n", h));
}

TEST(HttpHead, FieldsTokensAndCookies) {
    HttpHead h;
    ASSERT_TRUE(parse_head("GET / HTTP/1.1\r\nCOOKIE: a=1; prismel_session=abc ;b=2\r\n"
                           "Connection: keep-alive,  UPGRADE\r\n\r\n",
                           h));
    EXPECT_EQ(h.field("cookie"), "a=1; prismel_session=abc ;b=2");
    EXPECT_EQ(cookie_value(h.field("cookie"), "prismel_session"), "abc");
    EXPECT_EQ(cookie_value(h.field("cookie"), "prismel"), "");
    EXPECT_EQ(cookie_value("xprismel_session=1", "prismel_session"), "");
    EXPECT_TRUE(field_has_token(h.field("connection"), "upgrade"));
    EXPECT_FALSE(field_has_token("upgraded", "upgrade"));
    EXPECT_FALSE(h.has_field("upgrade"));
}

TEST(HttpHead, RandomBytesAreReadSafely) {
    std::mt19937 rng(7);
    const std::string pieces[] = {"GET ", "POST ", "/", "/ws", " HTTP/1.1", "\r\n", "\r\n\r\n", ":", " ", "Host",
                                  "Cookie: ", "=", ";", ",", "\t", std::string(1, '\0'), "\xff"};
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        const int n = int(rng() % 24);
        for (int i = 0; i < n; ++i) {
            if (rng() % 3 == 0) s += char(rng() % 256);
            else s += pieces[rng() % std::size(pieces)];
        }
        const HeadExtent e = scan_head(s);
        HttpHead h;
        if (e.scan == HeadScan::complete && parse_head(std::string_view(s).substr(0, e.length), h)) {
            EXPECT_FALSE(h.method.empty());
            EXPECT_EQ(h.path.front(), '/');
            (void)cookie_value(h.field("cookie"), "prismel_session");
        }
    }
}

}  // namespace
}  // namespace prismel::web
