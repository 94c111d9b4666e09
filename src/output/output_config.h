#pragma once
// How the console puts its universe on the network: the interface it sends
// from, how ArtDmx reaches the nodes, and which protocols carry the frame.
// The defaults are the console's first behaviour: an Art-Net address chosen
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

enum class Protocol { artnet, sacn, both };

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
    friend bool operator==(const OutputSettings&, const OutputSettings&) = default;
};

constexpr int kSacnUniverseMin = 1;
constexpr int kSacnUniverseMax = 63999;

// The settings words ("broadcast", "unicast"; "artnet", "sacn", "both"),
// read without regard to case and surrounding blanks. False for anything else.
bool parse_delivery(std::string_view text, Delivery& out);
bool parse_protocol(std::string_view text, Protocol& out);
const char* delivery_text(Delivery d);
const char* protocol_text(Protocol p);

inline bool sends_artnet(Protocol p) { return p != Protocol::sacn; }
inline bool sends_sacn(Protocol p) { return p != Protocol::artnet; }

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
