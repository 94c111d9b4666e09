#include "web/http_head.h"

#include "web/web_limits.h"

namespace prismel::web {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool equal_blind(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// RFC 9110 token characters (method and field names).
bool is_tchar(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool is_token(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!is_tchar(c)) return false;
    return true;
}

// Visible ASCII, space and tab: no control bytes, nothing above 0x7E.
bool is_field_text(std::string_view s) {
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b != '\t' && (b < 0x20 || b > 0x7E)) return false;
    }
    return true;
}

bool parse_request_line(std::string_view line, HttpHead& out) {
    const size_t sp1 = line.find(' ');
    if (sp1 == std::string_view::npos) return false;
    const size_t sp2 = line.find(' ', sp1 + 1);
    if (sp2 == std::string_view::npos || line.find(' ', sp2 + 1) != std::string_view::npos) return false;
    const std::string_view method = line.substr(0, sp1);
    const std::string_view target = line.substr(sp1 + 1, sp2 - sp1 - 1);
    const std::string_view version = line.substr(sp2 + 1);
    if (!is_token(method) || version.size() != 8 || version.substr(0, 7) != "HTTP/1.") return false;
    if (target.empty() || target.front() != '/') return false;  // origin form only
    for (char c : target) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b > 0x7E) return false;
    }
    const size_t q = target.find('?');
    out.method = std::string(method);
    out.path = std::string(target.substr(0, q));
    out.query = q == std::string_view::npos ? std::string() : std::string(target.substr(q + 1));
    return true;
}

}  // namespace

HeadExtent scan_head(std::string_view received) {
    const size_t end = received.find("\r\n\r\n");
    if (end != std::string_view::npos && end + 4 <= kMaxHeadBytes) return {HeadScan::complete, end + 4};
    if (end != std::string_view::npos || received.size() >= kMaxHeadBytes) return {HeadScan::too_large, 0};
    return {HeadScan::need_more, 0};
}

bool parse_head(std::string_view head, HttpHead& out) {
    out = HttpHead{};
    if (head.size() < 4 || head.substr(head.size() - 4) != "\r\n\r\n") return false;
    head.remove_suffix(2);  // each line now ends in CRLF
    size_t pos = head.find("\r\n");
    if (!parse_request_line(head.substr(0, pos), out)) return false;
    pos += 2;
    while (pos < head.size()) {
        const size_t eol = head.find("\r\n", pos);
        const std::string_view line = head.substr(pos, eol - pos);
        pos = eol + 2;
        if (out.fields.size() >= kMaxHeaderLines) return false;
        const size_t colon = line.find(':');
        // No folded lines, no space before the colon.
        if (colon == std::string_view::npos || !is_token(line.substr(0, colon))) return false;
        const std::string_view value = trim(line.substr(colon + 1));
        if (!is_field_text(value)) return false;
        std::string name(line.substr(0, colon));
        for (char& c : name) c = lower(c);
        out.fields.emplace_back(std::move(name), std::string(value));
    }
    return true;
}

std::string_view HttpHead::field(std::string_view lower_name) const {
    for (const auto& [name, value] : fields)
        if (name == lower_name) return value;
    return {};
}

bool HttpHead::has_field(std::string_view lower_name) const {
    for (const auto& f : fields)
        if (f.first == lower_name) return true;
    return false;
}

bool field_has_token(std::string_view value, std::string_view token) {
    while (!value.empty()) {
        const size_t comma = value.find(',');
        if (equal_blind(trim(value.substr(0, comma)), token)) return true;
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return false;
}

std::string_view cookie_value(std::string_view cookie_field, std::string_view name) {
    while (!cookie_field.empty()) {
        const size_t semi = cookie_field.find(';');
        const std::string_view pair = trim(cookie_field.substr(0, semi));
        const size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == name) return pair.substr(eq + 1);
        if (semi == std::string_view::npos) break;
        cookie_field.remove_prefix(semi + 1);
    }
    return {};
}

}  // namespace prismel::web
