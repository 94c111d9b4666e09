#pragma once
// How the console puts its universe out: the interface it sends from, how
// ArtDmx reaches the nodes, which outputs carry the frame (Art-Net, sACN, a
// USB DMX widget, OLA's daemon) and where the device outputs go. The
// defaults are the console's first behaviour: an Art-Net address chosen
// automatically and ArtDmx broadcast there.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace prismel::artnet {

enum class Delivery {
    broadcast,  // ArtDmx to the directed broadcast address
    unicast,    // ArtDmx to each node whose output port takes the universe; broadcast while none does
};

// The outputs in use, a set: any of artnet, sacn, usbpro and ola together.
// both is artnet and sacn. A set without any names no output.
enum class Protocol : uint8_t { artnet = 1, sacn = 2, both = 3, usbpro = 4, ola = 8 };
constexpr uint8_t kAllProtocols = 15;
constexpr Protocol operator|(Protocol a, Protocol b) { return Protocol(uint8_t(a) | uint8_t(b)); }
constexpr Protocol without(Protocol set, Protocol p) { return Protocol(uint8_t(set) & ~uint8_t(p) & kAllProtocols); }
constexpr bool has(Protocol set, Protocol p) { return (uint8_t(set) & uint8_t(p)) != 0; }
constexpr bool is_empty(Protocol set) { return (uint8_t(set) & kAllProtocols) == 0; }
// The single outputs, in the order the output thread serves them.
constexpr Protocol kOutputs[] = {Protocol::artnet, Protocol::sacn, Protocol::usbpro, Protocol::ola};
// 0-3: the place of a single output in kOutputs.
constexpr int output_index(Protocol one) {
    return one == Protocol::artnet ? 0 : one == Protocol::sacn ? 1 : one == Protocol::usbpro ? 2 : 3;
}

// The sACN component identifier: 16 bytes that name this source for good.
using Cid = std::array<uint8_t, 16>;

struct OutputSettings {
    // Empty: the automatic choice (a 2.x address, added when missing).
    // Otherwise an interface name or one of its IPv4 addresses, used as it is.
    std::string interface;
    Delivery delivery = Delivery::broadcast;
    Protocol protocol = Protocol::artnet;
    int sacn_universe = 0;  // 1-63999; 0: the Art-Net universe + 1
    Cid cid{};
    // The USB DMX widget: a device path, or empty for the first widget that
    // answers among the machine's USB serial devices.
    std::string usbpro_device;
    int ola_universe = 1;  // the universe of OLA's daemon that takes the frame
    // The sACN priority of this source (E1.31: 0-200). 100, the standard's
    // default; a hot backup console sends at 99 under its primary's 100.
    uint8_t sacn_priority = 100;
    friend bool operator==(const OutputSettings&, const OutputSettings&) = default;
};

constexpr int kSacnUniverseMin = 1;
constexpr int kSacnUniverseMax = 63999;
constexpr int kOlaUniverseMin = 0;
constexpr int kOlaUniverseMax = 65535;

// The settings words ("broadcast", "unicast"; a comma-separated list of
// "artnet", "sacn", "usbpro", "ola" and "both"), read without regard to case
// and surrounding blanks. False (out unchanged) for anything else, an empty
// list included.
bool parse_delivery(std::string_view text, Delivery& out);
bool parse_protocol(std::string_view text, Protocol& out);
const char* delivery_text(Delivery d);
// The list in the order above; "both" for Art-Net and sACN alone, as the
// console always wrote it.
std::string protocol_text(Protocol p);

inline bool sends_artnet(Protocol p) { return has(p, Protocol::artnet); }
inline bool sends_sacn(Protocol p) { return has(p, Protocol::sacn); }
inline bool uses_network(Protocol p) { return sends_artnet(p) || sends_sacn(p); }

// The sACN universe that carries the frame of Art-Net port-address
// tx_universe: the one set, or tx_universe + 1 kept within 1-63999.
int sacn_universe_of(const OutputSettings& s, int tx_universe);

// 32 hexadecimal digits, with or without the hyphens of the usual
// 8-4-4-4-12 grouping. False (out unchanged) for anything else, and for
// the all-zero identifier, which names no source.
bool parse_cid(std::string_view text, Cid& out);
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case.
std::string cid_text(const Cid& cid);
// A random (version 4) identifier from the system's random source.
Cid random_cid();

}  // namespace prismel::artnet
