#include "remote/remote_numbers.h"

#include "data/cue_number.h"

namespace prismel::remote {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> cue_tenths_of_text(std::string_view text) {
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    long tenths = 0;
    for (char c : whole) {
        if (!is_digit(c)) return std::nullopt;
        if (tenths <= kMaxCueNumber) tenths = tenths * 10 + (c - '0') * 10;
    }
    for (char c : fraction) {
        if (!is_digit(c)) return std::nullopt;
    }
    if (!fraction.empty()) tenths += fraction[0] - '0';
    return tenths > kMaxCueNumber ? -1 : int(tenths);
}

std::optional<int> whole_number_of_text(std::string_view text) {
    if (text.empty()) return std::nullopt;
    long n = 0;
    for (char c : text) {
        if (!is_digit(c)) return std::nullopt;
        if (n < kWholeNumberCap) n = n * 10 + (c - '0');
    }
    return n > kWholeNumberCap ? kWholeNumberCap : int(n);
}

}  // namespace prismel::remote
