// The journal's reader against what a crash, a disk or a person can leave
// in the file: every damaged input is refused with its reason, and no input
// makes it read outside the bytes it was given.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "engine/playback_journal.h"

namespace prismel::test {
namespace {

constexpr uint64_t kShow = 0x1122334455667788ull;

JournalEntry live_entry() {
    JournalEntry e;
    e.show_digest = kShow;
    e.playback = PlaybackRecord{12, 3, 49, 50, 25, 1};
    e.universe = 0x7FFF;
    return e;
}

using Bytes = std::vector<unsigned char>;

Bytes bytes_of(const JournalEntry& e) {
    unsigned char out[kJournalBytes];
    encode_journal(e, out);
    return Bytes(out, out + kJournalBytes);
}

// A record whose checksum is made right again after a change, as a person
// editing the file with a tool would.
Bytes resealed(Bytes b) {
    const uint32_t crc = crc32_of(b.data(), kJournalBytes - 4);
    for (int k = 0; k < 4; ++k) b[kJournalBytes - 4 + k] = static_cast<unsigned char>(crc >> (8 * k));
    return b;
}

Bytes with_int(Bytes b, std::size_t at, int32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * k));
    return resealed(b);
}

// The decoder sees exactly the bytes: a heap block of that size, so a read
// past it is caught by the address sanitizer.
JournalRead decode_exact(const Bytes& b, uint64_t show = kShow) {
    auto block = std::make_unique<unsigned char[]>(b.size() + (b.empty() ? 1 : 0));
    if (!b.empty()) std::memcpy(block.get(), b.data(), b.size());
    return decode_journal(block.get(), b.size(), show);
}

TEST(PlaybackJournal, SoundRecordsComeBackAsWritten) {
    JournalEntry standby;
    standby.show_digest = kShow;
    JournalEntry clean = live_entry();
    clean.clean_end = true;
    for (const JournalEntry& e : {live_entry(), standby, clean}) {
        const JournalRead r = decode_exact(bytes_of(e));
        EXPECT_EQ(r.fault, JournalFault::none);
        EXPECT_EQ(r.entry, e);
    }
}

TEST(PlaybackJournal, DamagedInputsAreRefusedWithTheirReason) {
    const Bytes good = bytes_of(live_entry());
    JournalEntry clean_elsewhere = live_entry();
    clean_elsewhere.clean_end = true;
    clean_elsewhere.show_digest = 99;
    struct Case {
        const char* what;
        Bytes bytes;
        JournalFault fault;
    } cases[] = {
        {"empty file", {}, JournalFault::torn},
        {"cut inside the magic", Bytes(good.begin(), good.begin() + 5), JournalFault::torn},
        {"cut after the version", Bytes(good.begin(), good.begin() + 12), JournalFault::torn},
        {"cut before the checksum", Bytes(good.begin(), good.end() - 1), JournalFault::torn},
        {"one byte too many", [&] { Bytes b = good; b.push_back(0); return b; }(), JournalFault::damaged},
        {"another file", Bytes(kJournalBytes, 'x'), JournalFault::damaged},
        {"zeros from a lost block", Bytes(kJournalBytes, 0), JournalFault::damaged},
        {"a flipped bit", [&] { Bytes b = good; b[25] ^= 4; return b; }(), JournalFault::damaged},
        {"a later version", [&] { Bytes b = good; b[8] = 2; return resealed(b); }(), JournalFault::other_version},
        {"an unknown flag", [&] { Bytes b = good; b[10] |= 2; return resealed(b); }(), JournalFault::damaged},
        {"cue past the list", with_int(good, 20, 1000), JournalFault::damaged},
        {"scene below none", with_int(good, 24, -2), JournalFault::damaged},
        {"chase past the table", with_int(good, 28, 50), JournalFault::damaged},
        {"negative rate", with_int(good, 32, -1), JournalFault::damaged},
        {"cross time no show holds", with_int(good, 36, 1 << 30), JournalFault::damaged},
        {"mode 2", with_int(good, 40, 2), JournalFault::damaged},
        {"universe past 15 bits", with_int(good, 44, 0x8000), JournalFault::damaged},
        {"open record of another show", bytes_of([] { auto e = live_entry(); e.show_digest = 7; return e; }()),
         JournalFault::other_show},
        {"clean end of another show", bytes_of(clean_elsewhere), JournalFault::none},
    };
    for (const Case& c : cases) EXPECT_EQ(decode_exact(c.bytes).fault, c.fault) << c.what;
}

// Every prefix and every single-bit change of a record: refused, never taken
// for another record, never read outside.
TEST(PlaybackJournal, NoCutOrFlipPassesForARecord) {
    const Bytes good = bytes_of(live_entry());
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_NE(decode_exact(Bytes(good.begin(), good.begin() + n)).fault, JournalFault::none) << n;
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes b = good;
            b[i] ^= static_cast<unsigned char>(1 << bit);
            EXPECT_NE(decode_exact(b).fault, JournalFault::none) << i << ":" << bit;
        }
    }
}

}  // namespace
}  // namespace prismel::test
