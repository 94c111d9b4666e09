#pragma once
// Every text inside the console is Shift-JIS (code page 932) bytes. Sources
// keep their literals in UTF-8; sj() turns one into its CP932 bytes once and
// keeps the result for the life of the program, so a pointer it returns stays
// valid and can be kept in a static.
#include <string>
#include <string_view>

namespace prismel {

// CP932 bytes of a UTF-8 literal, converted once and cached. Thread-safe.
// A character CP932 cannot hold becomes '?'.
const char* sj(const char* utf8);

// Conversions at the edges (painting, Qt widgets, the command-line tool).
// Bytes that do not decode become U+FFFD / '?' rather than failing.
std::string to_cp932(std::string_view utf8);
std::string to_utf8(std::string_view cp932);

// True when byte b is the lead byte of a CP932 double-byte character.
constexpr bool is_sjis_lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace prismel
