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

void MessageReader::restart(uint8_t b) { expect_ = b == kStartByte ? Expect::label : Expect::start; }

bool MessageReader::feed(uint8_t b) {
    switch (expect_) {
    case Expect::start: restart(b); return false;
    case Expect::label:
        label_ = b;
        expect_ = Expect::length_low;
        return false;
    case Expect::length_low:
        size_ = b;
        expect_ = Expect::length_high;
        return false;
    case Expect::length_high:
        size_ |= size_t(b) << 8;
        got_ = 0;
        if (size_ > kMaxData) restart(b);
        else expect_ = size_ == 0 ? Expect::end : Expect::data;
        return false;
    case Expect::data:
        data_[got_++] = b;
        if (got_ == size_) expect_ = Expect::end;
        return false;
    case Expect::end:
        if (b == kEndByte) {
            expect_ = Expect::start;
            return true;
        }
        restart(b);
        return false;
    }
    return false;
}

std::optional<uint32_t> serial_number_of(const MessageReader& r) {
    if (r.label() != kLabelSerialNumber || r.size() != 4) return std::nullopt;
    const uint8_t* d = r.data();
    return uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24;
}

}  // namespace prismel::usbpro
