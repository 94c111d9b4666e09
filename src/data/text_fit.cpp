#include "data/text_fit.h"

#include <cstring>

#include "platform/text_codec.h"

namespace prismel {

namespace {

// Width in bytes of the character that starts with byte b.
std::size_t char_width(char b) { return is_sjis_lead(static_cast<unsigned char>(b)) ? 2 : 1; }

}  // namespace

std::size_t sjis_fit(const char* s, std::size_t max_bytes) {
    std::size_t n = strnlen(s, max_bytes + 1);
    std::size_t i = 0;
    while (i < n) {
        std::size_t w = char_width(s[i]);
        if (i + w > max_bytes || i + w > n) break;  // also drops a lead byte that lost its trail
        i += w;
    }
    return i;
}

std::string field_text(const char* field, std::size_t field_bytes, std::size_t max_bytes) {
    std::size_t n = strnlen(field, field_bytes);
    std::string text(field, n);
    return text.substr(0, sjis_fit(text.c_str(), max_bytes));
}

std::size_t sjis_tail_start(const std::string& s, std::size_t max_bytes) {
    std::size_t i = 0;
    while (i < s.size() && s.size() - i > max_bytes) i += char_width(s[i]);
    return i < s.size() ? i : s.size();
}

}  // namespace prismel
