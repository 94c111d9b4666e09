#pragma once
// The messages between a primary console and its backups: UDP datagrams of
// our own, built and read here apart from any socket.
//
// Every datagram, every number least significant byte first:
//    0  8  "PRSMLINK"
//    8  1  version (1)
//    9  1  kind: 1 state, 2 subscribe, 3 show request, 4 show part
//   10  2  length of the whole datagram
//   12  4  session: a random number the sender drew at its start
//   16  4  sequence: counts the sender's datagrams of this session
//   20  8  digest of the sender's show (data/show_digest.h)
//   28  .  the kind's body
//  n-4  4  CRC-32 (IEEE) of bytes 0 to n-5
//
// state (primary to backup; at once when what is played changed, and at
// least every 100 ms as its heartbeat):
//   28  1  flags: bit 0 = the primary's outputs send
//   29  3  0
//   32  P  the live show (below)
// subscribe (backup to primary, every 100 ms):
//   28  1  flags: bit 0 = the backup is active (it sends);
//                 bit 1 = its live show follows (while active)
//   29  3  0
//   32  P  the live show, when bit 1 is set
// show request (backup to primary): one part of one table of a copy
//   28  8  copy: the digest of the show being copied; 0 = a new copy
//   36  1  table, 0-6 in the order COL SCN CHS CUE LPT FKY GRP
//   37  3  0
//   40  4  offset in the table's file image, a multiple of 1024
// show part (primary to backup):
//   28  8  copy: the digest of the copy these bytes belong to
//   36  1  table
//   37  1  status: 0 the part, 1 no such copy (start again)
//   38  2  length of the part, at most 1024
//   40  4  offset
//   44  4  size of the table's file image
//   48  .  the part's bytes
//
// The live show, P = 1672 bytes: the engine's played fields as 32-bit
// numbers (current cue, wait countdown, current scene, scene cross total,
// remaining, out level, in level, current chase, step count, chase step,
// chase mode, rate, rate countdown, chase cross total, remaining, out
// level, in level) at 0-67; the pending GO and BACK requests at 68, 69; 0
// at 70, 71; fixture-in-chase (64 bytes) at 72; the six layer buffers of
// 256 bytes (scene from, target, output; chase from, to, output) at 136.
//
// A datagram is taken only when it is whole, of its kind's exact length,
// with its checksum, zeros where zeros belong and a live show an engine can
// hold; anything else changes nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/engine_state.h"

namespace prismel::backup {

constexpr uint8_t kLinkVersion = 1;
constexpr size_t kLinkHeaderBytes = 28;
constexpr size_t kPlaybackBytes = 1672;
constexpr size_t kPartBytes = 1024;
constexpr size_t kLargestLink = kLinkHeaderBytes + 4 + kPlaybackBytes + 4;

enum class LinkKind : uint8_t { state = 1, subscribe = 2, show_request = 3, show_part = 4 };

constexpr uint8_t kPrimarySending = 1;  // state
constexpr uint8_t kBackupActive = 1;    // subscribe
constexpr uint8_t kBackupPlayback = 2;  // subscribe

struct LinkHeader {
    LinkKind kind = LinkKind::state;
    uint32_t session = 0;
    uint32_t sequence = 0;
    uint64_t show_digest = 0;
    friend bool operator==(const LinkHeader&, const LinkHeader&) = default;
};

struct ShowRequest {
    uint64_t copy = 0;
    uint8_t table = 0;
    uint32_t offset = 0;
    friend bool operator==(const ShowRequest&, const ShowRequest&) = default;
};

struct ShowPart {
    uint64_t copy = 0;
    uint8_t table = 0;
    bool restart = false;
    uint32_t offset = 0;
    uint32_t table_size = 0;
    uint16_t length = 0;
    std::array<uint8_t, kPartBytes> bytes{};
};

struct LinkMessage {
    LinkHeader header;
    uint8_t flags = 0;           // state, subscribe
    bool has_playback = false;   // state always; subscribe with kBackupPlayback
    EngineState playback{};      // its played part (engine_mirror.h)
    ShowRequest request{};       // show request
    ShowPart part{};             // show part
};

enum class LinkFault : uint8_t {
    none,
    short_datagram,    // shorter than a header and a checksum
    foreign,           // not ours
    other_version,
    wrong_length,      // the length field is not the datagram's, or not its kind's
    bad_checksum,
    unknown_kind,
    bad_body,          // a flag, a reserved byte, a table or a part out of its range
    unsound_playback,  // a live show no engine can hold
};

// A session number for a sender starting now, from the system's random source.
uint32_t new_session();

// Reads at most `size` bytes of `data`. `out` is meaningful for none only.
LinkFault decode_link(const uint8_t* data, size_t size, LinkMessage& out);
// The datagram of a message of header.kind; flags and has_playback must
// agree for a subscribe (the state is sent only with kBackupPlayback).
std::vector<uint8_t> encode_link(const LinkMessage& message);

}  // namespace prismel::backup
