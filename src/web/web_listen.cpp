#include "web/web_listen.h"

#include <cstdio>

#include "output/interface_choice.h"
#include "platform/text_codec.h"

namespace prismel::web {

namespace {
std::string g_notice;
}

ListenAddress web_listen_address(const std::vector<artnet::LocalAddress>& rows, const std::string& interface) {
    if (interface.empty()) return {};
    const artnet::InterfaceBinding b = artnet::resolve_interface(rows, interface);
    if (b.status == artnet::OutputStatus::no_interface) return {false, false, {}};
    return {true, false, b.own};
}

std::string remote_notice_text(int port, const std::string& pin, const ListenAddress& where) {
    char buf[160];
    if (where.any) {
        std::snprintf(buf, sizeof buf, sj("Webリモート ポート%d  PIN %s"), port, pin.c_str());
    } else {
        std::snprintf(buf, sizeof buf, sj("Webリモート http://%s:%d/  PIN %s"), artnet::dotted(where.address).c_str(),
                      port, pin.c_str());
    }
    return buf;
}

const std::string& remote_notice() { return g_notice; }
void set_remote_notice(std::string text) { g_notice = std::move(text); }

}  // namespace prismel::web
