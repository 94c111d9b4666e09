#include <cstdio>

#include "output/system_network.h"
#include "platform/text_codec.h"
#include "play_web.h"
#include "web/web_listen.h"
#include "web/web_thread_qt.h"

namespace prismel::tool {

bool play_web_supported() { return true; }

namespace {

class QtPlayWebRemote : public PlayWebRemote {
public:
    QtPlayWebRemote(PlaybackEngine& engine, const ShowData& show) : thread(engine, show) {}
    web::WebServerThread thread;
};

}  // namespace

std::unique_ptr<PlayWebRemote> start_play_web_remote(PlaybackEngine& engine, const ShowData& show,
                                                     const PlayWebOptions& options) {
    const web::ListenAddress where = web::web_listen_address(artnet::read_local_addresses(), options.interface);
    if (!where.found) {
        std::fprintf(stderr, "prismel-show: web remote: the interface %s has no IPv4 address\n",
                     options.interface.c_str());
        return nullptr;
    }
    web::WebServerConfig config;
    config.port = quint16(options.port);
    config.pin = options.pin;
    if (!where.any) config.address = QHostAddress(where.address.value());
    auto remote = std::make_unique<QtPlayWebRemote>(engine, show);
    remote->thread.on_refused_action = [](const char* cp932) {
        std::fprintf(stderr, "prismel-show: web remote: %s\n", to_utf8(cp932).c_str());
    };
    std::string error;
    if (!remote->thread.start(config, error)) {
        std::fprintf(stderr, "prismel-show: web remote on port %d: %s\n", options.port, error.c_str());
        return nullptr;
    }
    const std::string address = where.any ? std::string("every address") : artnet::dotted(where.address);
    if (options.pin.empty())
        std::fprintf(stderr, "prismel-show: web remote on port %d (%s), PIN %s\n", remote->thread.port(),
                     address.c_str(), remote->thread.pin().c_str());
    else
        std::fprintf(stderr, "prismel-show: web remote on port %d (%s)\n", remote->thread.port(), address.c_str());
    return remote;
}

}  // namespace prismel::tool
