#include "engine/playback_journal.h"

#include <cstring>
#include <iterator>

#include "data/show_data.h"

namespace prismel {
namespace {

constexpr unsigned char kMagic[8] = {'P', 'R', 'S', 'M', 'J', 'R', 'N', 'L'};
constexpr uint16_t kCleanEnd = 1;
constexpr uint16_t kBackupFollowing = 2;
constexpr std::size_t kChecked = kJournalBytes - 4;
// The longest duration a show can hold, in engine steps.
constexpr EngineSteps kLongestSteps = steps_of(StoredDuration(INT16_MAX));

void put(unsigned char* at, uint64_t v, int bytes) {
    for (int k = 0; k < bytes; ++k) at[k] = static_cast<unsigned char>(v >> (8 * k));
}

uint64_t get(const unsigned char* at, int bytes) {
    uint64_t v = 0;
    for (int k = 0; k < bytes; ++k) v |= uint64_t(at[k]) << (8 * k);
    return v;
}

int32_t get_int(const unsigned char* at) { return static_cast<int32_t>(static_cast<uint32_t>(get(at, 4))); }

bool in_range(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

bool reference_or_none(int32_t v, bool (*valid)(int)) { return v == kNone || valid(v); }

// Only what a console can have written: anything else is damage the
// checksum happened to miss, or a file made by hand.
bool sound(const JournalEntry& e) {
    const PlaybackRecord& p = e.playback;
    return reference_or_none(p.cue, valid_cue) && reference_or_none(p.scene, valid_scene) &&
           reference_or_none(p.chase, valid_chase) &&
           in_range(p.chase_rate, 0, kLongestSteps) && in_range(p.chase_cross_time, 0, kLongestSteps) &&
           in_range(p.chase_mode, 0, 1) && in_range(e.universe, 0, 0x7FFF);
}

}  // namespace

uint32_t crc32_of(const unsigned char* bytes, std::size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void encode_journal(const JournalEntry& e, unsigned char (&out)[kJournalBytes]) {
    std::memcpy(out, kMagic, sizeof kMagic);
    put(out + 8, kJournalVersion, 2);
    put(out + 10, (e.clean_end ? kCleanEnd : 0) | (e.backup_following ? kBackupFollowing : 0), 2);
    put(out + 12, e.show_digest, 8);
    const PlaybackRecord& p = e.playback;
    const int32_t fields[] = {p.cue, p.scene, p.chase, p.chase_rate, p.chase_cross_time, p.chase_mode, e.universe};
    for (std::size_t i = 0; i < std::size(fields); ++i) put(out + 20 + 4 * i, static_cast<uint32_t>(fields[i]), 4);
    put(out + kChecked, crc32_of(out, kChecked), 4);
}

JournalRead decode_journal(const unsigned char* bytes, std::size_t size, uint64_t show_digest) {
    JournalRead r;
    const std::size_t magic = size < sizeof kMagic ? size : sizeof kMagic;
    if (bytes == nullptr || std::memcmp(bytes, kMagic, magic) != 0) {
        r.fault = size == 0 ? JournalFault::torn : JournalFault::damaged;
        return r;
    }
    if (size < 10) {
        r.fault = JournalFault::torn;
        return r;
    }
    if (get(bytes + 8, 2) != kJournalVersion) {
        r.fault = JournalFault::other_version;
        return r;
    }
    if (size < kJournalBytes) {
        r.fault = JournalFault::torn;
        return r;
    }
    const uint64_t flags = get(bytes + 10, 2);
    if (size != kJournalBytes || get(bytes + kChecked, 4) != crc32_of(bytes, kChecked) || (flags & ~uint64_t(kCleanEnd | kBackupFollowing))) {
        r.fault = JournalFault::damaged;
        return r;
    }
    JournalEntry& e = r.entry;
    e.clean_end = (flags & kCleanEnd) != 0;
    e.backup_following = (flags & kBackupFollowing) != 0;
    e.show_digest = get(bytes + 12, 8);
    PlaybackRecord& p = e.playback;
    p.cue = get_int(bytes + 20);
    p.scene = get_int(bytes + 24);
    p.chase = get_int(bytes + 28);
    p.chase_rate = get_int(bytes + 32);
    p.chase_cross_time = get_int(bytes + 36);
    p.chase_mode = get_int(bytes + 40);
    e.universe = get_int(bytes + 44);
    if (!sound(e)) r.fault = JournalFault::damaged;
    else if (!e.clean_end && e.show_digest != show_digest) r.fault = JournalFault::other_show;
    return r;
}

}  // namespace prismel
