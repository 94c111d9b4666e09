#pragma once
// Fitting Shift-JIS text into fixed fields without cutting a double-byte
// character in half (a lone lead byte would swallow whatever follows it).
#include <cstddef>
#include <string>

namespace prismel {

// Bytes of the longest prefix of s (ending at its terminator, or at
// max_bytes) that holds only whole characters.
std::size_t sjis_fit(const char* s, std::size_t max_bytes);

// The text of a fixed name field of field_bytes bytes that need not be
// terminated, cut to at most max_bytes whole characters' bytes.
std::string field_text(const char* field, std::size_t field_bytes, std::size_t max_bytes);

// Offset in s of the start of the shortest whole-character tail of s that
// is at most max_bytes long.
std::size_t sjis_tail_start(const std::string& s, std::size_t max_bytes);

}  // namespace prismel
