#include "backup/link_message.h"

#include <cstring>
#include <random>
#include <tuple>
#include <utility>

#include "engine/engine_mirror.h"
#include "engine/playback_journal.h"

namespace prismel::backup {
namespace {

constexpr uint8_t kMagic[8] = {'P', 'R', 'S', 'M', 'L', 'I', 'N', 'K'};
constexpr size_t kBody = kLinkHeaderBytes;
constexpr size_t kChecksum = 4;
constexpr size_t kStateBytes = kBody + 4 + kPlaybackBytes + kChecksum;
constexpr size_t kBareSubscribeBytes = kBody + 4 + kChecksum;
constexpr size_t kRequestBytes = kBody + 16 + kChecksum;
constexpr size_t kPartHeaderBytes = kBody + 20;
constexpr int kTables = 7;

void put(std::vector<uint8_t>& out, size_t at, uint64_t v, int bytes) {
    for (int k = 0; k < bytes; ++k) out[at + size_t(k)] = uint8_t(v >> (8 * k));
}

uint64_t get(const uint8_t* at, int bytes) {
    uint64_t v = 0;
    for (int k = 0; k < bytes; ++k) v |= uint64_t(at[k]) << (8 * k);
    return v;
}

int32_t get_int(const uint8_t* at) { return int32_t(uint32_t(get(at, 4))); }

bool zeros(const uint8_t* at, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (at[i] != 0) return false;
    return true;
}

// The played fields in their order on the wire.
template <typename Fields>
auto played_fields(Fields& f) {
    return std::array{&f.current_cue,       &f.wait_countdown,      &f.current_scene, &f.scene_cross_total,
                      &f.scene_cross_remaining, &f.scene_out,       &f.scene_in,      &f.current_chase,
                      &f.step_count,        &f.chase_step,          &f.chase_mode,    &f.rate,
                      &f.rate_countdown,    &f.chase_cross_total,   &f.chase_cross_remaining, &f.chase_out,
                      &f.chase_in};
}
static_assert(std::tuple_size_v<decltype(played_fields(std::declval<EngineFields&>()))> * 4 == 68);

template <typename Layers>
auto layer_buffers(Layers& b) {
    return std::array{&b.scene_from, &b.scene_target, &b.scene_output, &b.chase_from, &b.chase_to, &b.chase_output};
}

void put_playback(std::vector<uint8_t>& out, size_t at, const EngineState& s) {
    size_t i = at;
    for (const int32_t* v : played_fields(s.fields)) {
        put(out, i, uint32_t(*v), 4);
        i += 4;
    }
    out[at + 68] = s.fields.remote.go_request;
    out[at + 69] = s.fields.remote.back_request;
    std::memcpy(&out[at + 72], s.fields.fixture_in_chase, kFixtures);
    i = at + 72 + kFixtures;
    for (const LevelBuffer* b : layer_buffers(s.layers)) {
        std::memcpy(&out[i], b->data(), b->size());
        i += b->size();
    }
}

LinkFault get_playback(const uint8_t* at, EngineState& s) {
    const uint8_t* p = at;
    for (int32_t* v : played_fields(s.fields)) {
        *v = get_int(p);
        p += 4;
    }
    s.fields.remote.go_request = at[68];
    s.fields.remote.back_request = at[69];
    if (!zeros(at + 70, 2)) return LinkFault::bad_body;
    std::memcpy(s.fields.fixture_in_chase, at + 72, kFixtures);
    p = at + 72 + kFixtures;
    for (LevelBuffer* b : layer_buffers(s.layers)) {
        std::memcpy(b->data(), p, b->size());
        p += b->size();
    }
    return sound_live_state(s) ? LinkFault::none : LinkFault::unsound_playback;
}

size_t part_length(const ShowPart& p) { return p.length < kPartBytes ? p.length : kPartBytes; }

size_t length_of(const LinkMessage& m) {
    switch (m.header.kind) {
    case LinkKind::state: return kStateBytes;
    case LinkKind::subscribe: return m.has_playback ? kStateBytes : kBareSubscribeBytes;
    case LinkKind::show_request: return kRequestBytes;
    case LinkKind::show_part: return kPartHeaderBytes + part_length(m.part) + kChecksum;
    }
    return 0;
}

LinkFault decode_body(const uint8_t* d, size_t n, LinkMessage& m) {
    switch (m.header.kind) {
    case LinkKind::state:
    case LinkKind::subscribe: {
        m.flags = d[kBody];
        const uint8_t known = m.header.kind == LinkKind::state ? kPrimarySending : kBackupActive | kBackupPlayback;
        if ((m.flags & ~known) != 0 || !zeros(d + kBody + 1, 3)) return LinkFault::bad_body;
        m.has_playback = m.header.kind == LinkKind::state || (m.flags & kBackupPlayback) != 0;
        if (n != (m.has_playback ? kStateBytes : kBareSubscribeBytes)) return LinkFault::wrong_length;
        return m.has_playback ? get_playback(d + kBody + 4, m.playback) : LinkFault::none;
    }
    case LinkKind::show_request: {
        if (n != kRequestBytes) return LinkFault::wrong_length;
        m.request.copy = get(d + kBody, 8);
        m.request.table = d[kBody + 8];
        m.request.offset = uint32_t(get(d + kBody + 12, 4));
        if (m.request.table >= kTables || !zeros(d + kBody + 9, 3) || m.request.offset % kPartBytes != 0)
            return LinkFault::bad_body;
        return LinkFault::none;
    }
    case LinkKind::show_part: {
        if (n < kPartHeaderBytes + kChecksum) return LinkFault::wrong_length;
        ShowPart& p = m.part;
        p.copy = get(d + kBody, 8);
        p.table = d[kBody + 8];
        const uint8_t status = d[kBody + 9];
        p.length = uint16_t(get(d + kBody + 10, 2));
        p.offset = uint32_t(get(d + kBody + 12, 4));
        p.table_size = uint32_t(get(d + kBody + 16, 4));
        if (n != kPartHeaderBytes + size_t(p.length) + kChecksum) return LinkFault::wrong_length;
        p.restart = status == 1;
        if (p.table >= kTables || status > 1 || p.length > kPartBytes || p.offset % kPartBytes != 0 ||
            uint64_t(p.offset) + p.length > p.table_size || (p.restart && p.length != 0))
            return LinkFault::bad_body;
        std::memcpy(p.bytes.data(), d + kPartHeaderBytes, p.length);
        return LinkFault::none;
    }
    }
    return LinkFault::unknown_kind;
}

}  // namespace

uint32_t new_session() {
    std::random_device random;
    return random();
}

LinkFault decode_link(const uint8_t* d, size_t n, LinkMessage& m) {
    m = LinkMessage{};
    if (d == nullptr || n < kLinkHeaderBytes + kChecksum) return LinkFault::short_datagram;
    if (std::memcmp(d, kMagic, sizeof kMagic) != 0) return LinkFault::foreign;
    if (d[8] != kLinkVersion) return LinkFault::other_version;
    if (get(d + 10, 2) != n || n > kLargestLink) return LinkFault::wrong_length;
    if (get(d + n - kChecksum, 4) != crc32_of(d, n - kChecksum)) return LinkFault::bad_checksum;
    const uint8_t kind = d[9];
    if (kind < uint8_t(LinkKind::state) || kind > uint8_t(LinkKind::show_part)) return LinkFault::unknown_kind;
    m.header.kind = LinkKind(kind);
    m.header.session = uint32_t(get(d + 12, 4));
    m.header.sequence = uint32_t(get(d + 16, 4));
    m.header.show_digest = get(d + 20, 8);
    return decode_body(d, n, m);
}

std::vector<uint8_t> encode_link(const LinkMessage& m) {
    std::vector<uint8_t> out(length_of(m), 0);
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    out[8] = kLinkVersion;
    out[9] = uint8_t(m.header.kind);
    put(out, 10, out.size(), 2);
    put(out, 12, m.header.session, 4);
    put(out, 16, m.header.sequence, 4);
    put(out, 20, m.header.show_digest, 8);
    switch (m.header.kind) {
    case LinkKind::state:
    case LinkKind::subscribe:
        out[kBody] = m.header.kind == LinkKind::state
                         ? m.flags & kPrimarySending
                         : uint8_t((m.flags & kBackupActive) | (m.has_playback ? kBackupPlayback : 0));
        if (m.header.kind == LinkKind::state || m.has_playback) put_playback(out, kBody + 4, m.playback);
        break;
    case LinkKind::show_request:
        put(out, kBody, m.request.copy, 8);
        out[kBody + 8] = m.request.table;
        put(out, kBody + 12, m.request.offset, 4);
        break;
    case LinkKind::show_part:
        put(out, kBody, m.part.copy, 8);
        out[kBody + 8] = m.part.table;
        out[kBody + 9] = m.part.restart ? 1 : 0;
        put(out, kBody + 10, part_length(m.part), 2);
        put(out, kBody + 12, m.part.offset, 4);
        put(out, kBody + 16, m.part.table_size, 4);
        std::memcpy(&out[kPartHeaderBytes], m.part.bytes.data(), part_length(m.part));
        break;
    }
    put(out, out.size() - kChecksum, crc32_of(out.data(), out.size() - kChecksum), 4);
    return out;
}

}  // namespace prismel::backup
