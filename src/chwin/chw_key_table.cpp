#include "chwin/chw_key_table.h"

namespace prismel {

const ChwKeyRow* find_key_row(std::span<const ChwKeyRow> rows, int code, int flags) {
    for (const ChwKeyRow& r : rows)
        if (r.takes(code, flags)) return &r;
    return nullptr;
}

bool dispatch_key(std::span<const ChwKeyRow> rows, int code, int flags, int& result) {
    const ChwKeyRow* row = find_key_row(rows, code, flags);
    if (!row) return false;
    result = row->act ? row->act(code, flags) : kResultHandled;
    return true;
}

std::string key_name(int code) {
    switch (code) {
    case kKeyBack: return "BS";
    case kKeyTab: return "Tab";
    case kKeyEnter: return "Enter";
    case kKeyShift: return "Shift";
    case kKeyCtrl: return "Ctrl";
    case kKeyAlt: return "Alt";
    case kKeyEsc: return "Esc";
    case kKeySpace: return "Space";
    case kKeyPageUp: return "PgUp";
    case kKeyPageDown: return "PgDn";
    case kKeyEnd: return "End";
    case kKeyHome: return "Home";
    case kKeyLeft: return "←";
    case kKeyUp: return "↑";
    case kKeyRight: return "→";
    case kKeyDown: return "↓";
    case kKeyInsert: return "Ins";
    case kKeyDelete: return "Del";
    case kKeyShiftWheelUp: return "Shift+ﾎｲｰﾙ↑";
    case kKeyShiftWheelDown: return "Shift+ﾎｲｰﾙ↓";
    default: break;
    }
    if (code >= kKeyF1 && code <= kKeyF12) return "F" + std::to_string(code - kKeyF1 + 1);
    if ((code >= kKey0 && code <= kKey9) || (code >= kKeyA && code <= kKeyZ)) return std::string(1, char(code));
    return "#" + std::to_string(code);
}

std::string key_row_name(const ChwKeyRow& row) {
    if (row.name) return row.name;
    std::string prefix;
    if (row.mods.held & kModCtrl) prefix += "Ctrl+";
    if (row.mods.held & kModAlt) prefix += "Alt+";
    // Shift+wheel carries its Shift in its name.
    if ((row.mods.held & kModShift) && row.key != kKeyShiftWheelUp && row.key != kKeyShiftWheelDown)
        prefix += "Shift+";
    std::string keys = key_name(row.key);
    if (row.last && row.last != row.key) keys += "～" + key_name(row.last);
    return prefix + keys;
}

}  // namespace prismel
