// Where the remote listens, and what the operator reads of it.
#include "web/web_listen.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace prismel::web {
namespace {

TEST(WebListen, TheLightingInterfaceOrEveryAddress) {
    artnet::LocalAddress lighting;
    lighting.address = {{2, 0, 0, 1}};
    lighting.mask = {{255, 0, 0, 0}};
    lighting.if_name = "eth1";
    lighting.if_index = 3;
    lighting.up = lighting.running = true;
    const std::vector<artnet::LocalAddress> rows{lighting};
    struct Case {
        const char* interface;
        bool found, any;
        const char* notice;
    };
    const Case cases[] = {
        {"", true, true, "Webリモート ポート8080  PIN 123456"},
        {"eth1", true, false, "Webリモート http://2.0.0.1:8080/  PIN 123456"},
        {"2.0.0.1", true, false, "Webリモート http://2.0.0.1:8080/  PIN 123456"},
        {"eth9", false, false, ""},
    };
    for (const Case& c : cases) {
        const ListenAddress where = web_listen_address(rows, c.interface);
        EXPECT_EQ(where.found, c.found) << c.interface;
        EXPECT_EQ(where.any, c.any) << c.interface;
        if (c.found) {
            EXPECT_EQ(to_utf8(remote_notice_text(8080, "123456", where)), c.notice);
        }
    }
}

}  // namespace
}  // namespace prismel::web
