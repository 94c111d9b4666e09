// Where the remote listens, and what the operator reads of it.
#include "web/web_listen.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace prismel::web {
namespace {

TEST(WebListen, TheLightingInterfaceOrEveryAddress) {
    artnet::LocalAddress eth1;
    eth1.address = {{2, 0, 0, 1}};
    eth1.mask = {{255, 0, 0, 0}};
    eth1.if_name = "eth1";
    eth1.up = eth1.running = true;
    const struct {
        const char* interface;
        bool found;
        const char* notice;
    } cases[] = {
        {"", true, "Webリモート ポート8080  PIN 123456"},
        {"eth1", true, "Webリモート http://2.0.0.1:8080/  PIN 123456"},
        {"2.0.0.1", true, "Webリモート http://2.0.0.1:8080/  PIN 123456"},
        {"eth9", false, ""},
    };
    for (const auto& c : cases) {
        const ListenAddress where = web_listen_address({eth1}, c.interface);
        EXPECT_EQ(where.found, c.found) << c.interface;
        EXPECT_EQ(c.found ? to_utf8(remote_notice_text(8080, "123456", where)) : "", c.notice);
    }
}

}  // namespace
}  // namespace prismel::web
