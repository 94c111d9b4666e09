#include "output/outmon_text.h"

#include <cstdio>

namespace prismel {

void outmon_cell_text(int fixture, const PatchRecord& patch, const uint8_t group[4], char* buf, size_t size) {
    if (size == 0) return;
    const int n = fixture + 1;
    const unsigned s = group[0], m = group[1], c = group[2], y = group[3];
    if (patch.start == kNone) {
        std::snprintf(buf, size, "%02d: ___", n);
        return;
    }
    switch (patch.layout) {
    case 1: std::snprintf(buf, size, "%02d: s%02X m%02X c%02X y%02X", n, s, m, c, y); break;
    case 2: std::snprintf(buf, size, "%02d: y%02X m%02X c%02X", n, y, m, c); break;
    case 3: std::snprintf(buf, size, "%02d: %02X", n, y); break;
    case 4: std::snprintf(buf, size, "%02d: c%02X m%02X y%02X s%02X", n, c, m, y, s); break;
    default: buf[0] = '\0'; break;
    }
}

namespace {

// Appends a 1-based index, or "__" for none, at `pos`; returns the new length.
int append_index(char* buf, size_t size, int pos, const char* label, int index) {
    if (pos < 0 || static_cast<size_t>(pos) >= size) return pos;
    int n = index >= 0 ? std::snprintf(buf + pos, size - pos, "%s%d", label, index + 1)
                       : std::snprintf(buf + pos, size - pos, "%s__", label);
    return n < 0 ? pos : pos + n;
}

}  // namespace

void outmon_status_text(int scene, int chase, int colour, int depth, char* buf, size_t size) {
    if (size == 0) return;
    buf[0] = '\0';
    int pos = append_index(buf, size, 0, "scn:", scene);
    pos = append_index(buf, size, pos, " chs:", chase);
    pos = append_index(buf, size, pos, " col:", colour);
    if (pos >= 0 && static_cast<size_t>(pos) < size) std::snprintf(buf + pos, size - pos, "  stack=%d", depth);
}

}  // namespace prismel
