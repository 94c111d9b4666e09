#pragma once
// The playback journal: what the stage shows, kept in a small file so that a
// console that crashed, was killed or lost power comes back with the same
// look. This is the record and its bytes, nothing more: no file, no thread
// (journal_keeper.h writes it, the start-up reads it).
//
// The file, 52 bytes, every number least significant byte first:
//   0  8  "PRSMJRNL"
//   8  2  version (1)
//  10  2  flags: bit 0 = the program ended cleanly after writing it;
//           bit 1 = a backup console was following this one
//  12  8  digest of the show it belongs to (data/show_digest.h)
//  20  4  current cue, or -1
//  24  4  scene layer's scene, or -1
//  28  4  chase layer's chase, or -1
//  32  4  chase rate, engine steps per chase step (0 = does not advance)
//  36  4  chase cross time, engine steps
//  40  4  chase mode (0 loop, 1 one pass)
//  44  4  output universe (Art-Net port-address, 0-32767)
//  48  4  CRC-32 (IEEE) of bytes 0-47
#include <cstddef>
#include <cstdint>

#include "data/show_records.h"
#include "engine/duration.h"

namespace prismel {

// What is live: the cue, the scene layer and the chase layer with its timing.
// Standby is a record with no cue. With no chase, its timing is 0.
struct PlaybackRecord {
    int32_t cue = kNone;
    int32_t scene = kNone;
    int32_t chase = kNone;
    EngineSteps chase_rate = 0;
    EngineSteps chase_cross_time = 0;
    int32_t chase_mode = 0;
    friend bool operator==(const PlaybackRecord&, const PlaybackRecord&) = default;
};

struct JournalEntry {
    uint64_t show_digest = 0;
    bool clean_end = false;
    PlaybackRecord playback;
    int32_t universe = 0;
    // A backup console followed: the next start listens for it before its
    // first frame, in case it took over meanwhile.
    bool backup_following = false;
    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

constexpr std::size_t kJournalBytes = 52;
constexpr uint16_t kJournalVersion = 1;

// Why a journal was not taken.
enum class JournalFault : uint8_t {
    none,
    torn,           // shorter than a record: cut off while it was written
    damaged,        // not a journal, a wrong checksum, or a value no console writes
    other_version,  // written by another version of the program
    other_show,     // a sound record of another show
};

struct JournalRead {
    JournalFault fault = JournalFault::none;
    JournalEntry entry;  // meaningful when fault is none
};

void encode_journal(const JournalEntry& entry, unsigned char (&out)[kJournalBytes]);
// Reads at most `size` bytes of `bytes`; a record is taken only when it is
// whole and sound. The show is compared only for a record that did not end
// cleanly (a clean end starts in standby whatever show follows it).
JournalRead decode_journal(const unsigned char* bytes, std::size_t size, uint64_t show_digest);

// CRC-32 as zip and PNG compute it.
uint32_t crc32_of(const unsigned char* bytes, std::size_t size);

}  // namespace prismel
