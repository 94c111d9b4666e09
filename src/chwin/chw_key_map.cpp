#include "chwin/chw_key_map.h"

#include <algorithm>
#include <cstdio>

#include "chwin/chw_field.h"
#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "data/text_fit.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr int kLeft = 1;
constexpr int kTop = 1;
constexpr int kRowsBelow = 5;  // the bottom row stays above the caption row
constexpr int kColumnBytes = kKeyMapKeyBytes + 1 + kKeyMapWhatBytes + 1;
constexpr int kMaxColumns = 2;

// A line in CP932, cut to its fields.
struct ShownLine {
    std::string keys;
    std::string what;
};

struct KeyMapState {
    ChwScreen* screen = nullptr;
    ChwWindow* window = nullptr;
    std::vector<ShownLine> lines;
    int rows_per_column = 1;
};

KeyMapState g;

// Joins a key name to the ones before it; a run of names with the same
// modifier ("Ctrl+E", "Ctrl+X") keeps the modifier once: "Ctrl+E X".
void join_name(std::string& keys, std::string& last_prefix, const std::string& name) {
    const std::size_t plus = name.rfind('+');
    const std::string prefix = plus == std::string::npos || plus + 1 == name.size() ? "" : name.substr(0, plus + 1);
    if (keys.empty())
        keys = name;
    else if (!prefix.empty() && prefix == last_prefix)
        keys += " " + name.substr(prefix.size());
    else
        keys += " " + name;
    last_prefix = prefix;
}

class LineBuilder {
public:
    void add(const std::string& name, const char* what) {
        for (Entry& e : entries_) {
            if (e.line.what == what) {
                join_name(e.line.keys, e.last_prefix, name);
                return;
            }
        }
        Entry e;
        e.line.what = what;
        join_name(e.line.keys, e.last_prefix, name);
        entries_.push_back(std::move(e));
    }
    void add_rows(std::span<const ChwKeyRow> rows) {
        for (const ChwKeyRow& r : rows)
            if (r.what) add(key_row_name(r), r.what);
    }
    std::vector<KeyMapLine> lines() const {
        std::vector<KeyMapLine> out;
        for (const Entry& e : entries_) out.push_back(e.line);
        return out;
    }

private:
    struct Entry {
        KeyMapLine line;
        std::string last_prefix;
    };
    std::vector<Entry> entries_;
};

std::string cut(const std::string& utf8, int bytes) {
    const std::string t = to_cp932(utf8);
    return t.substr(0, sjis_fit(t.c_str(), static_cast<std::size_t>(bytes)));
}

int close_map(int key, int) {
    // The modifiers alone are not a key press (the Ctrl of Ctrl+H is let go
    // right after it), nor is the refresh.
    if (key == kKeyRefresh || key == kKeyShift || key == kKeyCtrl || key == kKeyAlt) return kResultHandled;
    close_key_map();
    return kResultWindowClosed;
}

int draw_map() {
    if (!g.window || !g.screen) return 0;
    ChwScreen& s = *g.screen;
    const ChwWindow& w = *g.window;
    for (std::size_t i = 0; i < g.lines.size(); ++i) {
        const int column = static_cast<int>(i) / g.rows_per_column;
        const int row = static_cast<int>(i) % g.rows_per_column;
        s.move_cursor_in(&w, 1 + column * kColumnBytes + 1, 1 + row);
        s.set_colours(WinHiFg, WinBg);
        ChwField().left(g.lines[i].keys.c_str(), kKeyMapKeyBytes).blanks(1).write_to(s);
        s.set_normal_colours();
        ChwField().left(g.lines[i].what.c_str(), kKeyMapWhatBytes).write_to(s);
    }
    static const char* footer = sj("何かキーを押すと閉じます");
    s.move_cursor_in(&w, 2, w.height - 2);
    s.set_normal_colours();
    s.write(footer);
    return 0;
}

}  // namespace

std::vector<KeyMapLine> key_map_lines(const ChwWindow& w) {
    if (!w.key_table) return {};
    LineBuilder b;
    b.add_rows(w.key_table->keys);
    if (w.key_table->cursor_keys) {
        for (const ChwListKey& k : chw_list_keys()) {
            const std::string name = (k.mods & kModCtrl ? "Ctrl+" : "") + key_name(k.key);
            b.add(name, k.what);
        }
    }
    if (w.toolkit_keys) b.add_rows(w.toolkit_keys->keys);
    b.add("Ctrl+H", "このキー一覧");
    for (const ChwMouseRow& m : w.key_table->mouse) b.add(m.where, m.what);
    b.add("Fｷｰの表示をｸﾘｯｸ", "そのFキーを押す");
    return b.lines();
}

bool open_key_map(ChwScreen& s) {
    ChwWindow* top = s.top_window();
    if (g.window || !top || !top->key_table) return false;
    // The Ctrl of Ctrl+H is let go while the map is on top: the screen below
    // hears it now, so that what it shows while Ctrl is held goes.
    if (top->key_handler) top->key_handler(kKeyCtrl, 0);
    const std::vector<KeyMapLine> lines = key_map_lines(*top);
    g.lines.clear();
    for (const KeyMapLine& l : lines) g.lines.push_back({cut(l.keys, kKeyMapKeyBytes), cut(l.what, kKeyMapWhatBytes)});

    // Rows of the window: title, the lines, separator, footer, frame.
    const int bottom_limit = s.visible_rows() - kRowsBelow;
    const int fit = std::max(1, bottom_limit - kTop - 3);
    const int n = static_cast<int>(g.lines.size());
    const int columns = std::min(kMaxColumns, (n + fit - 1) / fit);
    g.rows_per_column = std::max(1, (n + columns - 1) / columns);
    if (g.rows_per_column * columns < n) g.lines.resize(static_cast<std::size_t>(g.rows_per_column * columns));
    const int right = kLeft + 1 + columns * kColumnBytes;
    const int bottom = kTop + g.rows_per_column + 3;

    char title[kTitleBytes + 1];
    static const char* prefix = sj(" キー操作 ");
    std::snprintf(title, sizeof title, "%s%s", prefix, top->title[0] == ' ' ? top->title + 1 : top->title);
    title[sjis_fit(title, kTitleBytes)] = '\0';

    g.screen = &s;
    g.window = s.create_window(top, title, kStyleFramed | kStyleFooter, kLeft, kTop, right, bottom);
    g.window->key_handler = close_map;
    g.window->mouse_handler = [](int, int, int, int) { return kKeyEsc; };
    g.window->draw_handler = draw_map;
    s.show_window(g.window);
    draw_map();
    return true;
}

void close_key_map() {
    if (!g.window) return;
    ChwWindow* closing = g.window;
    g.window = nullptr;
    g.lines.clear();
    g.screen->close_window(closing, true);
}

bool key_map_is_open() { return g.window != nullptr; }
ChwWindow* key_map_window() { return g.window; }

}  // namespace prismel
