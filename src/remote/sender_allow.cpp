#include "remote/sender_allow.h"

#include <optional>

namespace prismel::remote {

namespace {

std::string_view trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// 1-3 decimal digits up to max.
std::optional<uint32_t> small_number(std::string_view s, uint32_t max) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    uint32_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + uint32_t(c - '0');
    }
    return n <= max ? std::optional<uint32_t>(n) : std::nullopt;
}

std::optional<uint32_t> dotted_quad(std::string_view s) {
    uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = part < 3 ? s.find('.') : s.size();
        if (dot == std::string_view::npos) return std::nullopt;
        const std::optional<uint32_t> byte = small_number(s.substr(0, dot), 255);
        if (!byte) return std::nullopt;
        address = address << 8 | *byte;
        s.remove_prefix(part < 3 ? dot + 1 : dot);
    }
    return address;
}

std::optional<AllowRange> range_of(std::string_view entry) {
    const size_t slash = entry.find('/');
    const std::optional<uint32_t> address = dotted_quad(entry.substr(0, slash));
    if (!address) return std::nullopt;
    uint32_t prefix = 32;
    if (slash != std::string_view::npos) {
        const std::optional<uint32_t> p = small_number(entry.substr(slash + 1), 32);
        if (!p) return std::nullopt;
        prefix = *p;
    }
    const uint32_t mask = prefix == 0 ? 0 : ~uint32_t(0) << (32 - prefix);
    return AllowRange{*address & mask, mask};
}

}  // namespace

bool SenderAllow::allows(uint32_t address) const {
    if (any) return true;
    for (const AllowRange& r : ranges) {
        if ((address & r.mask) == r.network) return true;
    }
    return false;
}

AllowParse parse_sender_allow(std::string_view text) {
    AllowParse out;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view entry = trimmed(text.substr(0, comma));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        if (entry.empty()) continue;
        if (const std::optional<AllowRange> r = range_of(entry)) out.allow.ranges.push_back(*r);
        else out.bad.emplace_back(entry);
    }
    out.allow.any = out.allow.ranges.empty() && out.bad.empty();
    return out;
}

}  // namespace prismel::remote
