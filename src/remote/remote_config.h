#pragma once
// What the show-control remotes listen on (section "Option" of the settings
// file): OSC and MIDI Show Control over UDP, and who may send to them.
#include <string>

namespace prismel {

struct RemoteSettings {
    int osc_port = 8000;    // OscPort: 1-65535; 0 = off
    std::string osc_allow;  // OscAllow: empty = any sender (see sender_allow.h)
    int msc_device_id = 1;  // MscDeviceId: 0-126; the all-call 0x7F is always taken
    int msc_udp_port = 0;   // MscUdpPort: 1-65535; 0 = off
    // The "Prismel" MIDI input on the ALSA sequencer. Not stored: the console
    // opens it, the command-line player does not.
    bool midi_port = false;

    friend bool operator==(const RemoteSettings&, const RemoteSettings&) = default;
};

constexpr int kMaxUdpPort = 65535;
constexpr int kMscAllCall = 0x7F;
constexpr int kMaxMscDeviceId = 0x7E;

}  // namespace prismel
