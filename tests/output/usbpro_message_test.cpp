#include "output/usbpro_message.h"

#include <gtest/gtest.h>

#include <random>

using namespace prismel::usbpro;

TEST(UsbProMessage, TheFrameMessageIsLabelSixWithStartCodeZeroAndTheSlots) {
    uint8_t slots[512];
    for (int i = 0; i < 512; ++i) slots[i] = uint8_t(255 - i);
    DmxMessage m;
    m.fill(0xAA);
    build_dmx(m, slots);
    EXPECT_EQ(std::vector<uint8_t>(m.begin(), m.begin() + 6), (std::vector<uint8_t>{0x7E, 0x06, 0x01, 0x02, 0x00, 0xFF}));
    EXPECT_EQ(m[5 + 511], 0x00) << "slot 512";
    EXPECT_EQ(m[517], 0xE7);
    EXPECT_EQ(build_message(10, nullptr, 0), std::vector<uint8_t>(kSerialNumberRequest.begin(), kSerialNumberRequest.end()));
    const uint8_t three[] = {1, 2, 3};
    EXPECT_EQ(build_message(0x11, three, 3), (std::vector<uint8_t>{0x7E, 0x11, 3, 0, 1, 2, 3, 0xE7}));
    std::vector<uint8_t> long_data(700, 9);
    const std::vector<uint8_t> cut = build_message(1, long_data.data(), long_data.size());
    EXPECT_EQ(cut.size(), 605u);
    EXPECT_EQ(cut[2] | cut[3] << 8, 600);
}

TEST(UsbProMessage, TheReaderFindsWholeMessagesAndSkipsEverythingElse) {
    const std::vector<uint8_t> serial = {0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7};
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::vector<int> labels;  // of the messages found, in order
        std::optional<uint32_t> serial;
    };
    auto cat = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {"serial answer", serial, {10}, 0x12345678},
        {"garbage first", cat({0x00, 0xE7, 0x7E}, serial), {10}, 0x12345678},
        {"empty message", {0x7E, 5, 0, 0, 0xE7}, {5}, std::nullopt},
        {"end byte missing", cat({0x7E, 10, 4, 0, 1, 2, 3, 4, 0x00}, serial), {10}, 0x12345678},
        {"an answer inside a false start", cat({0x7E, 1, 9, 0}, cat(serial, {0x11})), {10}, 0x12345678},
        {"length over the limit", {0x7E, 5, 0x59, 0x02, 0xE7}, {}, std::nullopt},
        {"serial of three bytes", {0x7E, 10, 3, 0, 1, 2, 3, 0xE7}, {10}, std::nullopt},
        {"two back to back", cat({0x7E, 3, 1, 0, 0x7E, 0xE7}, serial), {3, 10}, 0x12345678},
    };
    for (const Case& c : cases) {
        MessageReader r;
        std::vector<int> labels;
        std::optional<uint32_t> found;
        r.feed(c.bytes.data(), c.bytes.size(), [&](const MessageReader& m) {
            labels.push_back(m.label());
            if (!found) found = serial_number_of(m);
        });
        EXPECT_EQ(labels, c.labels) << c.what;
        EXPECT_EQ(found, c.serial) << c.what;
    }
}

// Whatever a widget sends, the reader stays within its buffers (the address
// sanitizer build watches), every message it reports is in the bytes as
// given, and an answer after the noise is found, unless the noise began a
// message that the answer's end byte really ends.
TEST(UsbProMessage, RandomBytesNeverHideALaterAnswer) {
    std::mt19937 rng(23);
    const std::vector<uint8_t> answer = {0x7E, 10, 4, 0, 1, 0, 0, 0, 0xE7};
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> bytes(rng() % 1500);
        for (uint8_t& b : bytes) b = rng() % 4 == 0 ? (rng() % 2 ? kStartByte : kEndByte) : uint8_t(rng());
        bytes.insert(bytes.end(), answer.begin(), answer.end());
        // A start the noise began may still be open: it proves false within
        // the longest message.
        bytes.resize(bytes.size() + kHeaderSize + kMaxData + 1, 0);
        MessageReader r;
        bool found = false, swallowed = false;
        for (size_t at = 0; at < bytes.size();) {  // in pieces, as reads give them
            const size_t n = std::min(bytes.size() - at, size_t(1 + rng() % 64));
            r.feed(bytes.data() + at, n, [&](const MessageReader& m) {
                const std::vector<uint8_t> got = build_message(m.label(), m.data(), m.size());
                ASSERT_NE(std::search(bytes.begin(), bytes.end(), got.begin(), got.end()), bytes.end());
                found |= serial_number_of(m) == 1u;
                const size_t k = std::min(got.size(), answer.size());
                swallowed |= std::equal(got.end() - long(k), got.end(), answer.end() - long(k));
            });
            at += n;
        }
        EXPECT_TRUE(found || swallowed) << round;
    }
}
