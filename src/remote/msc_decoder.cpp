#include "remote/msc_decoder.h"

#include <string_view>

#include "remote/remote_config.h"
#include "remote/remote_numbers.h"

namespace prismel::remote {

namespace {

using Kind = PlaybackAction::Kind;

constexpr uint8_t kSysexStart = 0xF0;
constexpr uint8_t kSysexEnd = 0xF7;
constexpr uint8_t kRealTime = 0x7F;  // universal real-time SysEx
constexpr uint8_t kMscSubId = 0x02;
constexpr uint8_t kFormatLighting = 0x01;
constexpr uint8_t kFormatAll = 0x7F;
constexpr size_t kHeader = 6;  // F0 7F device 02 format command
constexpr size_t kTimeBytes = 5;

enum Command : uint8_t {
    kGo = 0x01,
    kTimedGo = 0x04,
    kFire = 0x07,
    kAllOff = 0x08,
    kReset = 0x0A,
    kGoOff = 0x0B,
    kGoJamClock = 0x10,
};

// GO with the cue number of the data's first field (up to 00 or the end),
// or a plain GO when the field is empty.
std::optional<PlaybackAction> go(const uint8_t* data, size_t size) {
    size_t n = 0;
    while (n < size && data[n] != 0) ++n;
    if (n == 0) return PlaybackAction::of(Kind::go);
    const std::optional<int> tenths = cue_tenths_of_text(std::string_view(reinterpret_cast<const char*>(data), n));
    if (!tenths) return std::nullopt;
    return PlaybackAction::of(Kind::cue, *tenths);
}

}  // namespace

std::optional<PlaybackAction> msc_action(const uint8_t* m, size_t size, int device_id) {
    if (size < kHeader + 1 || m[0] != kSysexStart || m[size - 1] != kSysexEnd) return std::nullopt;
    for (size_t i = 1; i + 1 < size; ++i) {
        if (m[i] & 0x80) return std::nullopt;  // SysEx carries data bytes only
    }
    if (m[1] != kRealTime || m[3] != kMscSubId) return std::nullopt;
    if (m[2] != device_id && m[2] != kMscAllCall) return std::nullopt;
    if (m[4] != kFormatLighting && m[4] != kFormatAll) return std::nullopt;
    const uint8_t* data = m + kHeader;
    const size_t length = size - kHeader - 1;
    switch (m[5]) {
    case kGo:
    case kGoJamClock: return go(data, length);
    case kTimedGo:
        if (length < kTimeBytes) return std::nullopt;
        return go(data + kTimeBytes, length - kTimeBytes);
    case kFire:
        if (length < 1) return std::nullopt;
        return PlaybackAction::of(Kind::fkey, data[0] - 1);
    case kAllOff:
    case kReset:
    case kGoOff: return PlaybackAction::of(Kind::standby);
    default: return std::nullopt;
    }
}

void each_sysex(const uint8_t* data, size_t size, const std::function<void(const uint8_t*, size_t)>& fn) {
    size_t i = 0;
    while (i < size) {
        if (data[i] != kSysexStart) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < size && data[end] != kSysexEnd && data[end] != kSysexStart) ++end;
        if (end == size) return;
        if (data[end] == kSysexStart) {  // a message broken off by the next one
            i = end;
            continue;
        }
        fn(data + i, end - i + 1);
        i = end + 1;
    }
}

}  // namespace prismel::remote
