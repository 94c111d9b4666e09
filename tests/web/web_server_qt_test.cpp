// The server against untrusted clients on the loopback of the test's private
// namespace: oversized, malformed and foreign requests, a crowd of idle
// connections, WebSocket frames of any content; after all of it a browser
// with the session still gets the state and its GO is played.
#include "web/web_server_qt.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_fixture.h"
#include "support/qt_app.h"

namespace prismel::test {
namespace {

// A blocking client socket to the server, with a receive timeout.
class Client {
public:
    explicit Client(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        timeval tv{2, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(uint16_t(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        (void)::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    ~Client() { ::close(fd_); }
    void send(const std::string& s) { (void)!::send(fd_, s.data(), s.size(), MSG_NOSIGNAL); }
    // Bytes until the peer closes, the timeout, or `enough` bytes.
    std::string receive(size_t enough) {
        std::string out;
        char buf[4096];
        for (ssize_t n; out.size() < enough && (n = ::recv(fd_, buf, sizeof buf, 0)) > 0;) out.append(buf, size_t(n));
        return out;
    }
    int status() {  // of the reply's first line, or 0
        const std::string r = receive(12);
        return r.size() >= 12 && r.compare(0, 5, "HTTP/") == 0 ? std::atoi(r.c_str() + 9) : 0;
    }

private:
    int fd_;
};

std::string frame(uint8_t first, const std::string& payload, bool masked = true) {
    const size_t n = payload.size();
    std::string f{char(first), char((masked ? 0x80 : 0) | (n < 126 ? n : 126))};
    if (n >= 126) f += {char(n >> 8), char(n & 0xFF)};
    const char key[4] = {0x11, 0x22, 0x33, 0x44};
    if (masked) f.append(key, 4);
    for (size_t i = 0; i < n; ++i) f += masked ? char(payload[i] ^ key[i % 4]) : payload[i];
    return f;
}

class WebServerTest : public EngineTest {
protected:
    void SetUp() override {
        if (!std::getenv("PRISMEL_TEST_ISOLATED")) GTEST_SKIP() << "listens: run in the test script's namespace";
        qt_app();
        for (int i = 0; i < kCues; ++i) CueTable::set_default(cue(i), (i + 1) * 10);
        set_cue(0, 0, 0);
        server_ = std::make_unique<web::WebServer>(engine_, show());
        server_->on_refused_action = [this](const char*) { ++refused_; };
        web::WebServerConfig config;
        config.address = QHostAddress::LocalHost;
        config.pin = "2468";
        std::string error;
        ASSERT_TRUE(server_->start(config, error)) << error;
        port_ = server_->port();
    }
    // Runs the clients on a thread while the server's events are served here.
    void clients(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread t([&] {
            work();
            done = true;
        });
        while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        t.join();
    }
    static std::string upgrade(const std::string& token) {
        return "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: "
               "dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\nOrigin: http://127.0.0.1\r\nCookie: "
               "prismel_session=" + token + "\r\n\r\n";
    }

    std::unique_ptr<web::WebServer> server_;
    int port_ = 0;
    std::atomic<int> refused_{0};
};

TEST_F(WebServerTest, UntrustedRequestsAreRefusedAndTheServerCarriesOn) {
    std::mt19937 rng(3);
    std::string junk(3000, '\0');
    for (char& c : junk) c = char(rng());
    const std::vector<std::pair<std::string, int>> cases{
        {"GET / HTTP/1.1\r\nHost: h\r\n\r\n", 200},
        {"GET /" + std::string(9000, 'a'), 431},
        {"GET / HTTP/1.1\r\nX: " + std::string(9000, 'b') + "\r\n\r\n", 431},
        {"POST /login HTTP/1.1\r\nContent-Length: 1000000000\r\n\r\n" + std::string(4000, 'p'), 413},
        {junk + "\r\n\r\n", 400},
        {"POST /login HTTP/1.1\r\nContent-Length: 8\r\n\r\npin=1111", 403},
        {upgrade(""), 403},
    };
    std::vector<int> got(cases.size());
    int refused_crowd = 0;
    int after_crowd = 0;
    clients([&] {
        for (size_t i = 0; i < cases.size(); ++i) {
            Client c(port_);
            c.send(cases[i].first);
            got[i] = c.status();
        }
        // A crowd of idle connections: those beyond the limit are refused at
        // once, and all of them are forgotten when they close.
        std::vector<std::unique_ptr<Client>> crowd;
        for (int i = 0; i < 150; ++i) crowd.push_back(std::make_unique<Client>(port_));
        for (auto& c : crowd) c->send("GET / HTTP/1.1\r\n");  // never finished
        for (size_t i = 40; i < crowd.size(); ++i) refused_crowd += crowd[i]->status() == 503;
        crowd.clear();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Client c(port_);
        c.send("GET / HTTP/1.1\r\nHost: h\r\n\r\n");
        after_crowd = c.status();
    });
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(got[i], cases[i].second) << cases[i].first.substr(0, 60);
    EXPECT_EQ(refused_crowd, 110);
    EXPECT_EQ(after_crowd, 200);
}

TEST_F(WebServerTest, WebSocketFramesOfAnyContentAreIgnoredAndGoIsPlayed) {
    std::string token, first_state;
    clients([&] {
        Client login(port_);
        login.send("POST /login HTTP/1.1\r\nHost: h\r\nContent-Length: 8\r\n\r\npin=2468");
        const std::string reply = login.receive(400);
        if (reply.find("prismel_session=") != std::string::npos)
            token = reply.substr(reply.find("prismel_session=") + 16, 64);
        std::mt19937 rng(5);
        for (int connection = 0; connection < 10; ++connection) {
            Client c(port_);
            c.send(upgrade(token));
            if (connection == 0) first_state = c.receive(2000);
            for (int i = 0; i < 60; ++i) {
                std::string payload(rng() % 300, '\0');
                for (char& b : payload) b = char(rng());
                const uint8_t opcodes[] = {0x81, 0x82, 0x80, 0x01, 0x89, 0x8A, 0x8F, 0x88};
                c.send(frame(opcodes[rng() % 8], payload, rng() % 10 != 0));
            }
            c.send(std::string(2000, char(0xFF)));  // not a frame at all
        }
        Client good(port_);
        good.send(upgrade(token));
        good.receive(200);
        good.send(frame(0x81, "go"));
        good.send(frame(0x81, "cue 32767"));  // no cue carries it
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    ASSERT_EQ(token.size(), 64u);
    EXPECT_NE(first_state.find("101 Switching Protocols"), std::string::npos);
    EXPECT_NE(first_state.find("{\"cue\":null,\"next\":{\"n\":10,"), std::string::npos) << first_state;
    EXPECT_EQ(fields().current_cue, 0) << "the GO after the noise was played";
    EXPECT_EQ(refused_, 1) << "the missing cue said so";
    server_->stop();
    EXPECT_EQ(server_->browser_count(), 0);
}

}  // namespace
}  // namespace prismel::test
