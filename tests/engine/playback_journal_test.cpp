// The journal's reader against what a crash, a disk or a person can leave in
// the file: refused with its reason, and never a read outside the input.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/playback_journal.h"

namespace prismel::test {
namespace {

using Bytes = std::vector<unsigned char>;
constexpr uint64_t kShow = 0x1122334455667788ull;
const JournalEntry kLive{kShow, false, PlaybackRecord{12, 3, 49, 50, 25, 1}, 0x7FFF};

Bytes bytes_of(const JournalEntry& e) {
    unsigned char out[kJournalBytes];
    encode_journal(e, out);
    return Bytes(out, out + kJournalBytes);
}

// A change with the checksum made right again, as a person with a tool would.
Bytes changed(std::size_t at, int32_t v, int width = 4) {
    Bytes b = bytes_of(kLive);
    for (int k = 0; k < width; ++k) b[at + k] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * k));
    const uint32_t crc = crc32_of(b.data(), kJournalBytes - 4);
    for (int k = 0; k < 4; ++k) b[kJournalBytes - 4 + k] = static_cast<unsigned char>(crc >> (8 * k));
    return b;
}

// Exactly the bytes, in a heap block of their size: the address sanitizer
// catches a read past them.
JournalRead decode_exact(const Bytes& b) {
    auto block = std::make_unique<unsigned char[]>(b.size() + 1);
    if (!b.empty()) std::memcpy(block.get(), b.data(), b.size());
    return decode_journal(block.get(), b.size(), kShow);
}

TEST(PlaybackJournal, DamagedInputsAreRefusedWithTheirReason) {
    const Bytes good = bytes_of(kLive);
    JournalEntry clean_elsewhere = kLive, open_elsewhere = kLive;
    clean_elsewhere.clean_end = true;
    clean_elsewhere.show_digest = open_elsewhere.show_digest = 99;
    JournalEntry followed = kLive;
    followed.backup_following = true;
    const struct {
        const char* what;
        Bytes bytes;
        JournalFault fault;
    } cases[] = {
        {"a sound record", good, JournalFault::none},
        {"empty file", {}, JournalFault::torn},
        {"cut inside the magic", Bytes(good.begin(), good.begin() + 5), JournalFault::torn},
        {"cut before the checksum", Bytes(good.begin(), good.end() - 1), JournalFault::torn},
        {"one byte too many", [&] { Bytes b = good; b.push_back(0); return b; }(), JournalFault::damaged},
        {"zeros from a lost block", Bytes(kJournalBytes, 0), JournalFault::damaged},
        {"a later version", changed(8, 2, 2), JournalFault::other_version},
        {"an unknown flag", changed(10, 4, 2), JournalFault::damaged},
        {"cue past the list", changed(20, 1000), JournalFault::damaged},
        {"scene below none", changed(24, -2), JournalFault::damaged},
        {"chase past the table", changed(28, 50), JournalFault::damaged},
        {"negative rate", changed(32, -1), JournalFault::damaged},
        {"cross time no show holds", changed(36, 1 << 30), JournalFault::damaged},
        {"mode 2", changed(40, 2), JournalFault::damaged},
        {"universe past 15 bits", changed(44, 0x8000), JournalFault::damaged},
        {"open record of another show", bytes_of(open_elsewhere), JournalFault::other_show},
        {"clean end of another show", bytes_of(clean_elsewhere), JournalFault::none},
        {"a backup followed", bytes_of(followed), JournalFault::none},
    };
    for (const auto& c : cases) EXPECT_EQ(decode_exact(c.bytes).fault, c.fault) << c.what;
    EXPECT_EQ(decode_exact(good).entry, kLive);
    EXPECT_EQ(decode_exact(bytes_of(followed)).entry, followed);
}

// Every prefix and every single-bit change of a record is refused.
TEST(PlaybackJournal, NoCutOrFlipPassesForARecord) {
    const Bytes good = bytes_of(kLive);
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_NE(decode_exact(Bytes(good.begin(), good.begin() + n)).fault, JournalFault::none) << n;
    for (std::size_t i = 0; i < 8 * good.size(); ++i) {
        Bytes b = good;
        b[i / 8] ^= static_cast<unsigned char>(1 << (i % 8));
        EXPECT_NE(decode_exact(b).fault, JournalFault::none) << "bit " << i;
    }
}

}  // namespace
}  // namespace prismel::test
