// The messages between the consoles against damaged and foreign datagrams:
// refused with their reason, never read outside the input; and a sound
// message of every kind read back as it was written. (Random damage is
// left to the fuzzer, tests/backup/fuzz.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "backup/link_message.h"
#include "engine/playback_journal.h"

namespace prismel::backup {
namespace {

using Bytes = std::vector<uint8_t>;

// A live show in the middle of a scene fade with a chase on its second step.
EngineState live() {
    EngineState s;
    EngineFields& f = s.fields;
    f.current_cue = 4;
    f.wait_countdown = 120;
    f.current_scene = 7;
    f.scene_cross_total = 255;
    f.scene_cross_remaining = 100;
    f.scene_out = 100;
    f.scene_in = 155;
    f.current_chase = 2;
    f.step_count = 3;
    f.chase_step = 1;
    f.rate = 25;
    f.rate_countdown = -4;
    f.chase_cross_total = 25;
    f.chase_cross_remaining = 3;
    f.chase_out = 30;
    f.chase_in = 225;
    f.fixture_in_chase[5] = 1;
    f.remote.go_request = 1;
    for (int i = 0; i < kLevelCount; ++i) s.layers.scene_from[size_t(i)] = uint8_t(i);
    s.layers.chase_output[255] = 9;
    return s;
}

LinkMessage state(const EngineState& s = live()) {
    LinkMessage m;
    m.header = {LinkKind::state, 0xA1B2C3D4u, 77, 0x1122334455667788ull};
    m.flags = kPrimarySending;
    m.has_playback = true;
    m.playback = s;
    return m;
}

// A byte changed and the checksum made right again, as a foreign sender would.
Bytes with(Bytes b, size_t at, uint8_t v) {
    b[at] = v;
    const uint32_t crc = crc32_of(b.data(), b.size() - 4);
    for (int k = 0; k < 4; ++k) b[b.size() - 4 + size_t(k)] = uint8_t(crc >> (8 * k));
    return b;
}

Bytes with_int(Bytes b, size_t at, int32_t v) {
    for (int k = 0; k < 4; ++k) b = with(b, at + size_t(k), uint8_t(uint32_t(v) >> (8 * k)));
    return b;
}

// Exactly the bytes, in a heap block of their size: a read past them is caught.
LinkFault decode_exact(const Bytes& b, LinkMessage& m) {
    auto block = std::make_unique<uint8_t[]>(b.size() + 1);
    if (!b.empty()) std::memcpy(block.get(), b.data(), b.size());
    return decode_link(block.get(), b.size(), m);
}

LinkFault fault_of(const Bytes& b) {
    LinkMessage m;
    return decode_exact(b, m);
}

constexpr size_t kPlayback = 32;  // where the live show begins in a state

TEST(LinkMessage, EveryKindIsReadBackAsItWasWritten) {
    LinkMessage m;
    ASSERT_EQ(decode_exact(encode_link(state()), m), LinkFault::none);
    EXPECT_EQ(m.header, state().header);
    EXPECT_EQ(m.flags, kPrimarySending);
    const EngineFields& f = m.playback.fields;
    EXPECT_EQ(std::tuple(f.current_cue, f.wait_countdown, f.scene_out, f.rate_countdown, f.chase_in),
              std::tuple(4, 120, 100, -4, 225));
    EXPECT_EQ(f.fixture_in_chase[5] + f.remote.go_request, 2);
    EXPECT_EQ(m.playback.layers.scene_from, live().layers.scene_from);
    EXPECT_EQ(m.playback.layers.chase_output, live().layers.chase_output);

    LinkMessage active{{LinkKind::subscribe}, kBackupActive, true, live()};
    ASSERT_EQ(decode_exact(encode_link(active), m), LinkFault::none);
    EXPECT_EQ(m.flags, kBackupActive | kBackupPlayback);

    LinkMessage request{{LinkKind::show_request}};
    request.request = {0xFEEDull, 6, 3 * kPartBytes};
    ASSERT_EQ(decode_exact(encode_link(request), m), LinkFault::none);
    EXPECT_EQ(m.request, request.request);

    LinkMessage part{{LinkKind::show_part}};
    part.part = {0xFEEDull, 1, false, 41 * kPartBytes, 42600, 42600 - 41 * kPartBytes, {0x5C}};
    ASSERT_EQ(decode_exact(encode_link(part), m), LinkFault::none);
    EXPECT_EQ(std::tuple(m.part.length, m.part.bytes[0]), std::tuple(part.part.length, uint8_t(0x5C)));
}

TEST(LinkMessage, DamagedAndForeignDatagramsAreRefusedWithTheirReason) {
    const Bytes good = encode_link(state());
    LinkMessage bare;
    bare.header.kind = LinkKind::subscribe;
    const Bytes subscribe = encode_link(bare);
    LinkMessage part;
    part.header.kind = LinkKind::show_part;
    part.part = {1, 0, false, 0, 4500, 1024, {}};
    const Bytes good_part = encode_link(part);
    const struct {
        const char* what;
        Bytes bytes;
        LinkFault fault;
    } cases[] = {
        {"a sound state", good, LinkFault::none},
        {"nothing", {}, LinkFault::short_datagram},
        {"a header alone", Bytes(good.begin(), good.begin() + 28), LinkFault::short_datagram},
        {"an ArtDmx", Bytes{'A', 'r', 't', '-', 'N', 'e', 't', 0, 0, 0x50, 0, 14, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0},
         LinkFault::foreign},
        {"a later version", with(good, 8, 2), LinkFault::other_version},
        {"cut short", Bytes(good.begin(), good.end() - 1), LinkFault::wrong_length},
        {"a byte too many", [&] { Bytes b = good; b.push_back(0); return b; }(), LinkFault::wrong_length},
        {"a flipped level", [&] { Bytes b = good; b[500] ^= 1; return b; }(), LinkFault::bad_checksum},
        {"kind 0", with(good, 9, 0), LinkFault::unknown_kind},
        {"a state as long as a bare subscription", with(with(subscribe, 9, 1), 10, uint8_t(subscribe.size())),
         LinkFault::wrong_length},
        {"a subscription saying a show follows, without it", with(subscribe, 28, kBackupPlayback),
         LinkFault::wrong_length},
        {"an unknown flag", with(good, 28, 0x80), LinkFault::bad_body},
        {"a reserved byte set", with(good, 30, 1), LinkFault::bad_body},
        {"cue past the list", with_int(good, kPlayback + 0, 1000), LinkFault::unsound_playback},
        {"scene below none", with_int(good, kPlayback + 8, -2), LinkFault::unsound_playback},
        {"fade left longer than the fade", with_int(good, kPlayback + 16, 256), LinkFault::unsound_playback},
        {"chase past the table", with_int(good, kPlayback + 28, 50), LinkFault::unsound_playback},
        {"a chase of 49 steps", with_int(good, kPlayback + 32, 49), LinkFault::unsound_playback},
        {"a step past the chase", with_int(good, kPlayback + 36, 3), LinkFault::unsound_playback},
        {"a negative rate", with_int(good, kPlayback + 44, -1), LinkFault::unsound_playback},
        {"a GO request of 2", with(good, kPlayback + 68, 2), LinkFault::unsound_playback},
        {"a fixture in the chase twice over", with(good, kPlayback + 72, 2), LinkFault::unsound_playback},
        {"a sound part", good_part, LinkFault::none},
        {"a part of table 7", with(good_part, 36, 7), LinkFault::bad_body},
        {"a part past its table", with(good_part, 41, 0x14), LinkFault::bad_body},
        {"a part longer than it says", with(good_part, 39, 0), LinkFault::wrong_length},
    };
    for (const auto& c : cases) EXPECT_EQ(fault_of(c.bytes), c.fault) << c.what;
}

}  // namespace
}  // namespace prismel::backup
