#pragma once
// The three packets this console sends, built into fixed arrays, and the
// first look at a received datagram.
#include <array>
#include <cstddef>
#include <cstdint>

#include "output/artnet_protocol.h"

namespace prismel::artnet {

using PollPacket = std::array<uint8_t, kPollSize>;
using DmxPacket = std::array<uint8_t, kDmxSize>;
using ReplyPacket = std::array<uint8_t, kReplySize>;

// ArtPoll asking for a reply on change (TalkToMe 2), priority 0.
void build_poll(PollPacket& p);
// ArtDmx header for 512 slots, sequencing off, universe 0, data all 0.
void build_dmx(DmxPacket& p);
// SubUni (low byte) and Net (high byte) from a 15-bit port-address.
void set_dmx_universe(DmxPacket& p, int port_address);
inline uint8_t* dmx_data(DmxPacket& p) { return p.data() + kDmxDataOffset; }
inline const uint8_t* dmx_data(const DmxPacket& p) { return p.data() + kDmxDataOffset; }

// ArtPollReply for own address: a controller (Style 1) of an unregistered
// maker (Oem 0x00FF) without ports; NodeReport "#0001 [0000] OK".
void build_reply(ReplyPacket& p, const Ipv4& own);
// Rewrites the NodeReport's reply counter (kept to four digits).
void set_reply_counter(ReplyPacket& p, unsigned counter);

// The OpCode of an Art-Net datagram of n bytes, or -1 when it is shorter than
// the Art-Net header or does not start with the Art-Net ID.
int datagram_opcode(const uint8_t* data, size_t n);

}  // namespace prismel::artnet
