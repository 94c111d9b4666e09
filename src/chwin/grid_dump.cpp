#include "chwin/grid_dump.h"

#include <cstdio>

#include "platform/text_codec.h"

namespace prismel {

namespace {

// Eight block heights for the sixteen gauge steps.
const char* gauge_block(int n) {
    static const char* const blocks[8] = {"\u2581", "\u2582", "\u2583", "\u2584",
                                          "\u2585", "\u2586", "\u2587", "\u2588"};
    return blocks[(n & 15) / 2];
}

char printable(unsigned char b) {
    return b < 0x20 || b == 0x7F ? '.' : static_cast<char>(b);
}

}  // namespace

std::string row_text(const ChwScreen& s, int row, int column, int n) {
    if (row < 0 || row >= ChwScreen::kRows) return {};
    if (column < 0) column = 0;
    const int end = n < 0 || column + n > ChwScreen::kColumns ? ChwScreen::kColumns : column + n;
    std::string out;
    std::string pending;  // CP932 bytes not yet converted
    auto flush = [&] {
        out += to_utf8(pending);
        pending.clear();
    };
    // Pairs are found from column 0, as the painter finds them.
    for (int c = 0; c < end;) {
        const unsigned char b = s.cell(c, row).ch;
        const bool pair = is_sjis_lead(b) && c + 1 < ChwScreen::kColumns;
        if (!pair) {
            if (c >= column) pending += is_sjis_lead(b) ? '?' : printable(b);
            ++c;
            continue;
        }
        const unsigned char t = s.cell(c + 1, row).ch;
        const bool inside = c >= column && c + 1 < end;
        if (inside && b == 0xF0 && t >= 0x40 && t <= 0x4F) {
            flush();
            out += gauge_block(t - 0x40);
            out += gauge_block(t - 0x40);
        } else if (inside) {
            pending += static_cast<char>(b);
            pending += static_cast<char>(t);
        } else {
            if (c >= column) pending += ' ';      // pair cut by the end
            if (c + 1 >= column && c + 1 < end) pending += ' ';  // pair cut by the start
        }
        c += 2;
    }
    flush();
    return out;
}

std::string dump_grid(const ChwScreen& s, const GridDumpOptions& o) {
    const int last = o.last_row < 0 || o.last_row >= ChwScreen::kRows ? s.visible_rows() - 1 : o.last_row;
    const int columns = o.columns < 0 || o.columns > ChwScreen::kColumns ? s.visible_columns() : o.columns;
    std::string out;
    for (int r = o.first_row < 0 ? 0 : o.first_row; r <= last; ++r) {
        out += row_text(s, r, 0, columns);
        out += '\n';
        if (!o.details) continue;
        for (int c = 0; c < columns;) {
            const ChwCell& first = s.cell(c, r);
            int e = c + 1;
            while (e < columns && s.cell(e, r).fg == first.fg && s.cell(e, r).bg == first.bg &&
                   s.cell(e, r).attr == first.attr)
                ++e;
            char line[96];
            std::snprintf(line, sizeof line, "  %3d-%3d fg=%06X bg=%06X attr=0x%X\n", c, e - 1,
                          static_cast<unsigned>(first.fg), static_cast<unsigned>(first.bg),
                          static_cast<unsigned>(first.attr));
            out += line;
            c = e;
        }
    }
    return out;
}

}  // namespace prismel
