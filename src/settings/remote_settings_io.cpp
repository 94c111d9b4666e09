#include "settings/remote_settings_io.h"

namespace prismel {

namespace {

int port_or_off(int port) { return port >= 0 && port <= kMaxUdpPort ? port : 0; }

}  // namespace

RemoteSettings read_remote_settings(const Profile& ini) {
    RemoteSettings s;
    s.osc_port = port_or_off(ini.read_int(kSectionOption, "OscPort", s.osc_port));
    s.osc_allow = ini.read_string(kSectionOption, "OscAllow", "");
    const int id = ini.read_int(kSectionOption, "MscDeviceId", s.msc_device_id);
    s.msc_device_id = id >= 0 && id <= kMaxMscDeviceId ? id : 1;
    s.msc_udp_port = port_or_off(ini.read_int(kSectionOption, "MscUdpPort", s.msc_udp_port));
    return s;
}

void write_remote_settings(Profile& ini, const RemoteSettings& s) {
    ini.write_int(kSectionOption, "OscPort", s.osc_port);
    ini.write_string(kSectionOption, "OscAllow", s.osc_allow);
    ini.write_int(kSectionOption, "MscDeviceId", s.msc_device_id);
    ini.write_int(kSectionOption, "MscUdpPort", s.msc_udp_port);
}

}  // namespace prismel
