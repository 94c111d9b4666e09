#pragma once
// A request's head (request line and header fields) as it arrives from a
// browser, read without trusting a byte of it. The server's gate reads the
// first request of every connection with these before anything else sees it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace prismel::web {

enum class HeadScan {
    need_more,  // no blank line yet, and still within the limit
    complete,   // `length` bytes hold the head, blank line included
    too_large,  // no end within kMaxHeadBytes
};

struct HeadExtent {
    HeadScan scan = HeadScan::need_more;
    size_t length = 0;
};

// Where the head ends in the bytes received so far.
HeadExtent scan_head(std::string_view received);

struct HttpHead {
    std::string method;
    std::string path;   // the target without its query
    std::string query;  // after '?', empty without one
    std::vector<std::pair<std::string, std::string>> fields;  // names lower-cased, values trimmed

    // The first field of that (lower-case) name, or empty.
    std::string_view field(std::string_view lower_name) const;
    bool has_field(std::string_view lower_name) const;
};

// Parses a complete head (as scan_head found it). False for anything that is
// not an HTTP/1.x request of printable ASCII with well-formed fields.
bool parse_head(std::string_view head, HttpHead& out);

// A field's value holds `token` as one of its comma-separated items,
// case-blind ("Connection: keep-alive, Upgrade" holds "upgrade").
bool field_has_token(std::string_view value, std::string_view token);

// The value of a cookie in a Cookie field ("a=1; prismel_session=..."), or
// empty.
std::string_view cookie_value(std::string_view cookie_field, std::string_view name);

}  // namespace prismel::web
