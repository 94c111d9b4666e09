#pragma once
// The show-control keys of section "Option": OscPort, OscAllow, MscDeviceId
// and MscUdpPort. A port outside 0-65535 reads as off and a device ID
// outside 0-126 as 1, so a mistyped value never opens a port nobody chose.
#include "platform/profile.h"
#include "remote/remote_config.h"

namespace prismel {

RemoteSettings read_remote_settings(const Profile& ini);
void write_remote_settings(Profile& ini, const RemoteSettings& s);

}  // namespace prismel
