#include "chwin/inp_validate.h"

#include <charconv>
#include <cmath>

#include "platform/text_codec.h"

namespace prismel {

InputType input_type_of(uint32_t mode) {
    switch ((mode >> 8) & 0xFF) {
    case 0: return InputType::Integer;
    case 1: return InputType::Real;
    default: return InputType::Text;
    }
}

namespace {

std::string_view trimmed(const std::string& text) {
    std::string_view s(text);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// from_chars takes no leading '+'.
std::string_view without_plus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-') s.remove_prefix(1);
    return s;
}

}  // namespace

int parse_integer(const std::string& text) {
    std::string_view s = without_plus(trimmed(text));
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, 10);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return -1;
    return value;
}

bool parse_real(const std::string& text, double& value) {
    std::string_view s = without_plus(trimmed(text));
    double v = 0.0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

InputOutcome validate_input(const std::string& text, uint32_t mode, const InputRanges& r) {
    static const char* invalid = sj("無効な入力文字があります");
    static const char* out_of_range = sj("範囲を超えています");
    InputOutcome out;
    out.code = kResultOk;
    out.text = text;
    out.int_value = parse_integer(text);
    switch (input_type_of(mode)) {
    case InputType::Real: {
        double v = 0.0;
        if (!parse_real(text, v)) {
            out.real_value = -1.0;
            out.message = invalid;
            out.code = kResultCancel;
        } else {
            // A typed -1 is a real reading like any other and is range-checked
            // too, so it can never slip through as an accepted value.
            out.real_value = v;
            if (v < r.real_min || v > r.real_max) {
                out.message = out_of_range;
                out.code = kResultCancel;
            }
        }
        break;
    }
    case InputType::Text:
        out.real_value = 0.0;
        break;
    case InputType::Integer:
        out.real_value = 0.0;
        if (out.int_value == -1) {
            out.message = invalid;
            out.code = kResultCancel;
        } else if (out.int_value < r.int_min || out.int_value > r.int_max) {
            out.message = out_of_range;
            out.code = kResultCancel;
        }
        break;
    }
    return out;
}

std::string clip_cp932(const std::string& text, int max_bytes) {
    if (max_bytes <= 0) return {};
    size_t limit = static_cast<size_t>(max_bytes);
    size_t i = 0;
    while (i < text.size()) {
        size_t len = is_sjis_lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + len > limit) break;
        i += len;
    }
    return text.substr(0, i);
}

}  // namespace prismel
