#pragma once
// The messages of USB DMX widgets of the "USB Pro" kind: a start byte 0x7E,
// a label, the data length (least significant byte first), the data and an
// end byte 0xE7. Built and read here, apart from any device, so that the
// bytes are tested exactly.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace prismel::usbpro {

constexpr uint8_t kStartByte = 0x7E;
constexpr uint8_t kEndByte = 0xE7;
constexpr uint8_t kLabelSendDmx = 6;        // output only: start code and slots
constexpr uint8_t kLabelSerialNumber = 10;  // asked with no data, answered with 4 bytes
constexpr size_t kHeaderSize = 4;           // start byte, label, length (2)
constexpr size_t kSlots = 512;
constexpr size_t kDmxMessageSize = kHeaderSize + 1 + kSlots + 1;  // 518
// The longest message a widget may send; anything longer is not one.
constexpr size_t kMaxData = 600;

using DmxMessage = std::array<uint8_t, kDmxMessageSize>;

// Label 6 with the start code 0 and the 512 slots.
void build_dmx(DmxMessage& m, const uint8_t* slots);
// Any message; data of more than kMaxData bytes is cut there.
std::vector<uint8_t> build_message(uint8_t label, const uint8_t* data, size_t n);
constexpr std::array<uint8_t, 5> kSerialNumberRequest = {kStartByte, kLabelSerialNumber, 0, 0, kEndByte};

// Finds whole messages in the bytes a widget sends. Bytes outside a
// message are skipped; a start that proves false (a length over kMaxData, no
// end byte where it belongs) is given up and the bytes after it are looked
// at again, so that noise never hides a message that follows it.
class MessageReader {
public:
    // Calls on_message(*this) for each whole message in the bytes, while its
    // label() and data() are valid.
    template <class OnMessage>
    void feed(const uint8_t* bytes, size_t n, OnMessage&& on_message) {
        for (size_t i = 0; i < n; ++i) {
            queue_[queued_++] = bytes[i];
            while (next()) on_message(*this);
        }
    }
    uint8_t label() const { return held_[1]; }
    const uint8_t* data() const { return held_.data() + kHeaderSize; }
    size_t size() const { return size_; }

private:
    static constexpr size_t kHeld = kHeaderSize + kMaxData;
    // Takes queued bytes until one completes a message (true) or none is left.
    bool next();

    std::array<uint8_t, kHeld> held_{};       // the message begun, from its start byte
    size_t held_count_ = 0;
    size_t size_ = 0;
    std::array<uint8_t, kHeld + 1> queue_{};  // bytes still to look at, oldest first
    size_t queued_ = 0;
    size_t taken_ = 0;
};

// The widget's serial number from a completed label-10 message: four bytes,
// least significant first. None for any other message.
std::optional<uint32_t> serial_number_of(const MessageReader& r);

}  // namespace prismel::usbpro
