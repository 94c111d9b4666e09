#include "output/usbpro_message.h"

#include <cstring>

namespace prismel::usbpro {

void build_dmx(DmxMessage& m, const uint8_t* slots) {
    constexpr size_t n = 1 + kSlots;
    m[0] = kStartByte;
    m[1] = kLabelSendDmx;
    m[2] = uint8_t(n & 0xFF);
    m[3] = uint8_t(n >> 8);
    m[4] = 0;  // start code
    std::memcpy(m.data() + 5, slots, kSlots);
    m[kDmxMessageSize - 1] = kEndByte;
}

std::vector<uint8_t> build_message(uint8_t label, const uint8_t* data, size_t n) {
    if (n > kMaxData) n = kMaxData;
    std::vector<uint8_t> m(kHeaderSize + n + 1);
    m[0] = kStartByte;
    m[1] = label;
    m[2] = uint8_t(n & 0xFF);
    m[3] = uint8_t(n >> 8);
    if (n > 0) std::memcpy(m.data() + kHeaderSize, data, n);
    m.back() = kEndByte;
    return m;
}

// Held bytes and queued ones together never exceed kHeld + 1: a byte moves
// from the queue to the held message, or is dropped; a false start drops its
// start byte and puts the rest back in front of the queue.
bool MessageReader::next() {
    while (taken_ < queued_) {
        const uint8_t b = queue_[taken_++];
        if (held_count_ == 0) {
            if (b == kStartByte) held_[held_count_++] = b;
            continue;
        }
        if (held_count_ < kHeaderSize) {
            held_[held_count_++] = b;
            if (held_count_ == kHeaderSize) size_ = held_[2] | size_t(held_[3]) << 8;
            if (held_count_ < kHeaderSize || size_ <= kMaxData) continue;
        } else if (held_count_ < kHeaderSize + size_) {
            held_[held_count_++] = b;
            continue;
        } else if (b == kEndByte) {
            held_count_ = 0;
            return true;
        } else {
            --taken_;  // not the end byte: looked at again below
        }
        // A false start: everything after its start byte is looked at again.
        std::array<uint8_t, kHeld + 1> rest;
        const size_t again = held_count_ - 1, left = queued_ - taken_;
        std::copy(held_.begin() + 1, held_.begin() + long(held_count_), rest.begin());
        std::copy(queue_.begin() + long(taken_), queue_.begin() + long(queued_), rest.begin() + long(again));
        queue_ = rest;
        queued_ = again + left;
        taken_ = 0;
        held_count_ = 0;
    }
    queued_ = taken_ = 0;
    return false;
}

std::optional<uint32_t> serial_number_of(const MessageReader& r) {
    if (r.label() != kLabelSerialNumber || r.size() != 4) return std::nullopt;
    const uint8_t* d = r.data();
    return uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24;
}

}  // namespace prismel::usbpro
