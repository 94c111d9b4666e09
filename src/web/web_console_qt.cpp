#include "web/web_console_qt.h"

#include <cstdio>
#include <memory>

#include "chwin/chw_screen.h"
#include "engine/playback_engine.h"
#include "output/system_network.h"
#include "platform/text_codec.h"
#include "settings/env_settings.h"
#include "web/web_access.h"
#include "web/web_listen.h"
#include "web/web_server_qt.h"

namespace prismel::web {

namespace {
std::unique_ptr<WebServer> g_server;
}

void start_console_web_remote(const EnvSettings& env, ChwScreen& screen) {
    stop_console_web_remote();
    if (env.web_port <= 0) return;
    char text[200];
    const ListenAddress where = web_listen_address(artnet::read_local_addresses(), env.output.interface);
    if (!where.found) {
        std::snprintf(text, sizeof text, sj("Webリモートを開始できません: インターフェイス%sがありません"),
                      env.output.interface.c_str());
        screen.show_message(text);
        return;
    }
    WebServerConfig config;
    config.port = quint16(env.web_port);
    if (!where.any) config.address = QHostAddress(where.address.value());
    // A PIN the settings give in another form would lock everyone out:
    // a made one is shown instead.
    if (valid_pin(env.web_pin)) config.pin = env.web_pin;
    auto server = std::make_unique<WebServer>(g_engine, g_show);
    server->on_refused_action = [&screen](const char* message) { screen.set_message_line(message); };
    std::string error;
    if (!server->start(config, error)) {
        std::snprintf(text, sizeof text, sj("Webリモートを開始できません: ポート%d"), env.web_port);
        screen.show_message(text);
        return;
    }
    set_remote_notice(remote_notice_text(server->port(), server->pin(), where));
    screen.set_message_line(remote_notice().c_str());
    g_server = std::move(server);
}

void stop_console_web_remote() {
    g_server.reset();
    set_remote_notice({});
}

}  // namespace prismel::web
