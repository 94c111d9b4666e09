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

// Finds whole messages in the bytes a widget sends, one byte at a time.
// Bytes outside a message, a length over kMaxData and a message without its
// end byte are skipped; the reader then looks for the next start byte.
class MessageReader {
public:
    // True when b completed a message, which label() and data() then give.
    bool feed(uint8_t b);
    uint8_t label() const { return label_; }
    const uint8_t* data() const { return data_.data(); }
    size_t size() const { return size_; }

private:
    enum class Expect { start, label, length_low, length_high, data, end };
    void restart(uint8_t b);

    Expect expect_ = Expect::start;
    uint8_t label_ = 0;
    size_t size_ = 0;
    size_t got_ = 0;
    std::array<uint8_t, kMaxData> data_{};
};

// The widget's serial number from a completed label-10 message: four bytes,
// least significant first. None for any other message.
std::optional<uint32_t> serial_number_of(const MessageReader& r);

}  // namespace prismel::usbpro
