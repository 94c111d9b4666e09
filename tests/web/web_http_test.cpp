// What the server answers: the gate's word on every connection's first
// request, and the pages, the login and the refusals.
#include "web/web_http.h"

#include <gtest/gtest.h>

#include "web/web_limits.h"

namespace prismel::web {
namespace {

class WebHttpTest : public ::testing::Test {
protected:
    WebHttpTest() : access_("2468", [](uint8_t* out, size_t n) { return std::fill_n(out, n, 7), true; }) {
        access_.login("2.0.0.2", "2468", {}, token_);
    }
    std::string cookie() const { return "prismel_session=" + token_; }
    WebAccess access_;
    std::string token_;
};

TEST_F(WebHttpTest, GateLetsThroughOnlyWhatIsOurs) {
    const std::string ws = "GET /ws HTTP/1.1\r\nHost: 2.0.0.1:8080\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n";
    const std::string own = "Origin: http://2.0.0.1:8080\r\n";
    const struct {
        std::string head;
        GateKind kind;
        int status;
    } cases[] = {
        {ws + own + "Cookie: " + cookie() + "\r\n\r\n", GateKind::websocket, 101},
        {ws + own + "\r\n", GateKind::refuse, 403},  // no session
        {ws + own + "Cookie: prismel_session=" + std::string(64, '0') + "\r\n\r\n", GateKind::refuse, 403},
        {ws + "Origin: http://evil.example\r\nCookie: " + cookie() + "\r\n\r\n", GateKind::refuse, 403},
        {ws + "Cookie: " + cookie() + "\r\n\r\n", GateKind::refuse, 403},  // no origin
        {"GET /ws HTTP/1.1\r\nHost: 2.0.0.1:8080\r\n" + own + "Cookie: " + cookie() + "\r\n\r\n", GateKind::refuse, 426},
        {"GET /x HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n", GateKind::refuse, 404},
        {"POST /ws HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n", GateKind::refuse, 405},
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", GateKind::http, 0},
        {"POST /login HTTP/1.1\r\nContent-Length: 10\r\n\r\n", GateKind::http, 0},
        {"POST /login HTTP/1.1\r\nContent-Length: 1000000000\r\n\r\n", GateKind::refuse, 413},
        {"POST /login HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", GateKind::refuse, 400},
        {"POST /login HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", GateKind::refuse, 411},
    };
    for (const auto& c : cases) {
        HttpHead head;
        ASSERT_TRUE(parse_head(c.head, head)) << c.head;
        const GateDecision d = gate_first_request(head, access_);
        EXPECT_EQ(d.kind, c.kind) << c.head;
        EXPECT_EQ(d.kind == GateKind::refuse ? d.status : c.status, c.status) << c.head;
    }
}

TEST_F(WebHttpTest, PagesLoginAndRefusals) {
    const WebPages pages{"<remote>", "<pin><!--MESSAGE--></pin>"};
    const struct {
        const char* method;
        const char* path;
        std::string cookie, origin, body;
        int status;
        const char* body_has;
    } cases[] = {
        {"GET", "/", cookie(), "", "", 200, "<remote>"},
        {"GET", "/", "prismel_session=nope", "", "", 200, "<pin></pin>"},
        {"POST", "/", "", "", "", 405, ""},
        {"GET", "/login", "", "", "", 405, ""},
        {"POST", "/login", "", "", "pin=1111", 403, "PIN"},
        {"POST", "/login", "", "http://evil.example", "pin=2468", 403, ""},
        {"POST", "/login", "", "", std::string(kMaxBodyBytes + 1, '1'), 413, ""},
        {"GET", "/../etc/passwd", cookie(), "", "", 404, ""},
        {"OTHER", "/x", "", "", "", 405, ""},
        {"POST", "/login", "", "http://2.0.0.1:8080", "x=1&pin=2468", 303, ""},
    };
    for (const auto& c : cases) {
        const HttpRequest r{c.method, c.path, "2.0.0.1:8080", c.origin, c.cookie, "", c.body, "2.0.0.3"};
        const HttpReply reply = respond(r, access_, pages, {});
        EXPECT_EQ(reply.status, c.status) << c.method << " " << c.path;
        EXPECT_NE(reply.body.find(c.body_has), std::string::npos) << reply.body;
        std::string headers;
        for (const auto& [name, value] : reply.headers) headers += name + ": " + value + "\n";
        EXPECT_NE(headers.find("Content-Length: " + std::to_string(reply.body.size())), std::string::npos);
        EXPECT_NE(headers.find("Cache-Control: no-store"), std::string::npos);
        const size_t cookie_at = headers.find("Set-Cookie: prismel_session=");
        EXPECT_EQ(cookie_at != std::string::npos, c.status == 303) << "only a right PIN gets a cookie";
        if (cookie_at != std::string::npos) {
            EXPECT_TRUE(access_.valid_token(headers.substr(cookie_at + 28, 2 * kTokenBytes)));
            EXPECT_NE(headers.find("; HttpOnly; SameSite=Strict\n"), std::string::npos) << headers;
            EXPECT_NE(headers.find("Location: /\n"), std::string::npos) << headers;
        }
    }
}

}  // namespace
}  // namespace prismel::web
