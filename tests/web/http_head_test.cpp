// Request heads as browsers and attackers send them: what is read, what is
// refused, and random bytes that must never be read outside the buffer.
#include "web/http_head.h"

#include <gtest/gtest.h>

#include <random>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

TEST(HttpHead, MalformedHeadsAreRefused) {
    // (Well-formed ones are read by the gate's table, web_http_test.cpp.)
    for (const char* bad : {"GET / HTTP/2.0\r\n\r\n", "GET http://evil/ HTTP/1.1\r\n\r\n", "GET  / HTTP/1.1\r\n\r\n",
                            "GET /\x01 HTTP/1.1\r\n\r\n", "GET / HTTP/1.1\r\nHost : a\r\n\r\n",
                            "GET / HTTP/1.1\r\n folded: line\r\n\r\n", "GET / HTTP/1.1\r\nX: caf\xC3\xA9\r\n\r\n"}) {
        HttpHead h;
        EXPECT_FALSE(parse_head(bad, h)) << bad;
    }
    EXPECT_EQ(cookie_value("xprismel_session=1; prismel_session=abc ;b", "prismel_session"), "abc");
    EXPECT_FALSE(field_has_token("upgraded", "upgrade"));
    EXPECT_EQ(scan_head(std::string(kMaxHeadBytes, 'a') + "\r\n\r\n").scan, HeadScan::too_large);
}

TEST(HttpHead, RandomBytesAreReadSafely) {
    std::mt19937 rng(7);
    const std::string pieces[] = {"GET ", "/", " HTTP/1.1", "\r\n", "\r\n\r\n", ":", " ", "Cookie: ", "=", ";", ","};
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        for (int i = int(rng() % 24); i > 0; --i) s += rng() % 3 ? pieces[rng() % std::size(pieces)] : std::string(1, char(rng()));
        const HeadExtent e = scan_head(s);
        HttpHead h;
        if (e.scan == HeadScan::complete && parse_head(std::string_view(s).substr(0, e.length), h)) {
            EXPECT_EQ(h.path.front(), '/');
            (void)cookie_value(h.field("cookie"), "prismel_session");
        }
    }
}

}  // namespace
}  // namespace prismel::web
