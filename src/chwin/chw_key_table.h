#pragma once
// A screen's keys as one table: each row a key (or a run of keys), the
// modifiers it takes, what it does in the screen's own words and the action
// that does it. The screen's key handler dispatches through the table and
// its key map (Ctrl+H) lists the same rows, so what the map says and what
// the keys do cannot drift apart.
#include <span>
#include <string>
#include <type_traits>

#include "chwin/chw_keys.h"

namespace prismel {

// Which modifier states a row takes: every bit of `held` down and every bit
// of `refused` up (Shift, Alt, Ctrl; the mouse bits are not looked at).
struct ChwMods {
    int held = 0;
    int refused = 0;
    constexpr bool take(int flags) const {
        const int m = flags & (kModShift | kModAlt | kModCtrl);
        return (m & held) == held && (m & refused) == 0;
    }
};

constexpr ChwMods kModsAny{0, 0};
constexpr ChwMods kModsNone{0, kModShift | kModAlt | kModCtrl};
constexpr ChwMods kModsNoShift{0, kModShift};
constexpr ChwMods kModsTyped{0, kModAlt | kModCtrl};  // a typed character: Shift gives its case
constexpr ChwMods kModsShift{kModShift, kModAlt | kModCtrl};
constexpr ChwMods kModsAlt{kModAlt, kModShift | kModCtrl};
constexpr ChwMods kModsCtrl{kModCtrl, kModShift | kModAlt};
constexpr ChwMods kModsShiftHeld{kModShift, 0};  // Shift, whatever else is held

// (key code, modifier flags) -> a key handler's result (chw_keys.h).
using ChwKeyAction = int (*)(int key, int flags);

struct ChwKeyRow {
    int key = 0;
    int last = 0;  // the last code of a run of keys (F1-F10, 0-9); 0: the key alone
    ChwMods mods;
    // What it does (UTF-8), as the key map shows it; nullptr for what is not
    // an operator's key (key 0, the refresh after a window above closed).
    const char* what = nullptr;
    ChwKeyAction act = nullptr;
    // The keys as the map names them (UTF-8), modifiers included, where the
    // codes' own names would not say it ("Shiftを離す"); nullptr: named
    // from the codes and the modifiers held.
    const char* name = nullptr;

    constexpr bool takes(int code, int flags) const {
        return code >= key && code <= (last ? last : key) && mods.take(flags);
    }
};

// What a click does on the screen, for its key map (UTF-8).
struct ChwMouseRow {
    const char* where;  // "クリック", "Shift+クリック", "ドラッグ"
    const char* what;
};

// Everything the key map of a window lists.
struct ChwKeyTable {
    std::span<const ChwKeyRow> keys;
    std::span<const ChwMouseRow> mouse;
    // The screen's list control sees every key first: its moves are listed
    // too (from the list's own table, chw_list.h).
    bool cursor_keys = false;
};

// The first row that takes (code, flags), or nullptr.
const ChwKeyRow* find_key_row(std::span<const ChwKeyRow> rows, int code, int flags);

// Runs the row that takes the key: true, with its result in `result`; false
// (result untouched) when no row takes it.
bool dispatch_key(std::span<const ChwKeyRow> rows, int code, int flags, int& result);

// An action made of a screen's function, which takes (key, flags), (key) or
// nothing: an int it returns is the handler's result (kResultRedrawTop after
// it closed the screen); any other function leaves the key handled.
template <auto F>
int key_act(int key, int flags) {
    using Fn = decltype(F);
    if constexpr (std::is_invocable_v<Fn, int, int>) {
        if constexpr (std::is_same_v<std::invoke_result_t<Fn, int, int>, int>) {
            return F(key, flags);
        } else {
            F(key, flags);
            return kResultHandled;
        }
    } else if constexpr (std::is_invocable_v<Fn, int>) {
        F(key);
        return kResultHandled;
    } else if constexpr (std::is_same_v<std::invoke_result_t<Fn>, int>) {
        return F();
    } else {
        F();
        return kResultHandled;
    }
}

// The name of a key code (UTF-8): "Esc", "F5", "←", "Shift+ﾎｲｰﾙ↑", "A".
std::string key_name(int code);
// A row's keys with the modifiers it needs held: "Shift+F1～F10", "0～9".
std::string key_row_name(const ChwKeyRow& row);

}  // namespace prismel
