// What the server answers: the gate's word on every connection's first
// request, and the pages, the login and the refusals.
#include "web/web_http.h"

#include <gtest/gtest.h>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

RandomSource fixed_source() {
    return [](uint8_t* out, size_t n) {
        for (size_t i = 0; i < n; ++i) out[i] = uint8_t(i);
        return true;
    };
}

class WebHttpTest : public ::testing::Test {
protected:
    WebHttpTest() : access_("2468", fixed_source()) {
        std::string t;
        access_.login("2.0.0.2", "2468", Clock::time_point{}, t);
        token_ = t;
    }
    std::string cookie() const { return "prismel_session=" + token_; }
    WebAccess access_;
    std::string token_;
    WebPages pages_{"<remote>", "<pin><!--MESSAGE--></pin>"};
};

TEST_F(WebHttpTest, GateLetsThroughOnlyWhatIsOurs) {
    const std::string ws = "GET /ws HTTP/1.1\r\nHost: 2.0.0.1:8080\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n";
    const std::string own = "Origin: http://2.0.0.1:8080\r\n";
    struct Case {
        std::string head;
        GateKind kind;
        int status;
    };
    const Case cases[] = {
        {ws + own + "Cookie: " + cookie() + "\r\n\r\n", GateKind::websocket, 101},
        {ws + own + "\r\n", GateKind::refuse, 403},                                          // no token
        {ws + own + "Cookie: prismel_session=" + std::string(64, '0') + "\r\n\r\n", GateKind::refuse, 403},
        {ws + "Origin: http://evil.example\r\nCookie: " + cookie() + "\r\n\r\n", GateKind::refuse, 403},
        {ws + "Cookie: " + cookie() + "\r\n\r\n", GateKind::refuse, 403},                    // no origin
        {"GET /ws HTTP/1.1\r\nHost: 2.0.0.1:8080\r\n" + own + "Cookie: " + cookie() + "\r\n\r\n", GateKind::refuse,
         426},
        {"GET /other HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n", GateKind::refuse, 404},
        {"POST /ws HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n", GateKind::refuse, 405},
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", GateKind::http, 0},
        {"POST /login HTTP/1.1\r\nContent-Length: 10\r\n\r\n", GateKind::http, 0},
        {"POST /login HTTP/1.1\r\nContent-Length: 1000000000\r\n\r\n", GateKind::refuse, 413},
        {"POST /login HTTP/1.1\r\nContent-Length: -1\r\n\r\n", GateKind::refuse, 400},
        {"POST /login HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", GateKind::refuse, 400},
        {"POST /login HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", GateKind::refuse, 411},
    };
    for (const Case& c : cases) {
        HttpHead head;
        ASSERT_TRUE(parse_head(c.head, head)) << c.head;
        const GateDecision d = gate_first_request(head, access_);
        EXPECT_EQ(d.kind, c.kind) << c.head;
        if (c.kind == GateKind::refuse) {
            EXPECT_EQ(d.status, c.status) << c.head;
        }
    }
}

TEST_F(WebHttpTest, PagesLoginAndRefusals) {
    const std::string big(kMaxBodyBytes + 1, '1');
    struct Case {
        const char* method;
        const char* path;
        std::string cookie, origin, body;
        int status;
        const char* body_has;
    };
    const Case cases[] = {
        {"GET", "/", cookie(), "", "", 200, "<remote>"},
        {"GET", "/", "", "", "", 200, "<pin></pin>"},
        {"GET", "/", "prismel_session=nope", "", "", 200, "<pin>"},
        {"POST", "/", "", "", "", 405, ""},
        {"OTHER", "/", cookie(), "", "", 405, ""},
        {"GET", "/login", "", "", "", 405, ""},
        {"POST", "/login", "", "", "pin=1111", 403, "PIN"},
        {"POST", "/login", "", "http://evil.example", "pin=2468", 403, ""},
        {"POST", "/login", "", "", big, 413, ""},
        {"GET", "/../etc/passwd", cookie(), "", "", 404, ""},
        {"GET", "/remote.html", cookie(), "", "", 404, ""},
        {"OTHER", "/x", "", "", "", 405, ""},
    };
    for (const Case& c : cases) {
        const HttpRequest r{c.method, c.path, "2.0.0.1:8080", c.origin, c.cookie, "", c.body, "2.0.0.3"};
        const HttpReply reply = respond(r, access_, pages_, Clock::time_point{});
        EXPECT_EQ(reply.status, c.status) << c.method << " " << c.path;
        EXPECT_NE(reply.body.find(c.body_has), std::string::npos) << reply.body;
        bool has_length = false, has_store = false;
        for (const auto& [name, value] : reply.headers) {
            has_length |= name == "Content-Length" && value == std::to_string(reply.body.size());
            has_store |= name == "Cache-Control" && value == "no-store";
            EXPECT_NE(name, "Set-Cookie") << "only a right PIN gets a cookie";
        }
        EXPECT_TRUE(has_length && has_store);
    }
}

TEST_F(WebHttpTest, ARightPinGetsASessionCookieAndTheRemote) {
    const HttpRequest r{"POST", "/login", "2.0.0.1:8080", "http://2.0.0.1:8080", "", "", "x=1&pin=2468", "2.0.0.3"};
    const HttpReply reply = respond(r, access_, pages_, Clock::time_point{});
    EXPECT_EQ(reply.status, 303);
    std::string set_cookie, location;
    for (const auto& [name, value] : reply.headers) {
        if (name == "Set-Cookie") set_cookie = value;
        if (name == "Location") location = value;
    }
    EXPECT_EQ(location, "/");
    ASSERT_NE(set_cookie.find("; HttpOnly; SameSite=Strict"), std::string::npos);
    const std::string token = set_cookie.substr(16, 2 * kTokenBytes);
    EXPECT_TRUE(access_.valid_token(token));
    const std::string wire = reply_bytes(reply);
    EXPECT_EQ(wire.substr(0, 22), "HTTP/1.1 303 See Other");
    EXPECT_NE(wire.find("Connection: close\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace prismel::web
