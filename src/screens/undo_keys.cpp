#include "screens/undo_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "data/cue_number.h"
#include "data/show_data.h"
#include "data/text_fit.h"
#include "platform/text_codec.h"
#include "screens/edited_tables.h"
#include "screens/screen_ask.h"
#include "screens/table_history.h"

namespace prismel {
namespace {

struct UndoKeys {
    int depth = 0;        // handler calls under way: a nested one belongs to the outer action
    uint64_t order = 0;   // of the last action
    uint64_t nudges = 0;  // the step a run of nudges grows; 0 when the run ended
    // The words of the window's last operator key, for the change it makes
    // when it is back on top (a reference list's pick, taken on key 0).
    const ChwWindow* said_by = nullptr;
    const char* said = nullptr;
    uint8_t tables = 0;  // of the window Ctrl+Z or Ctrl+Y was pressed on
    // What the last undo or redo said, kept on the message line while its
    // Ctrl (and Shift) are let go: the editors clear the line on every key.
    char message[160] = "";
    const ChwWindow* message_of = nullptr;
};

UndoKeys g;

template <typename F>
void for_each_table(uint8_t tables, F f) {
    for (ShowTable t : kShowTables)
        if (edits_table(tables, t)) f(table_history(t));
}

// Keys that move one value a notch, for which a run is one step.
bool is_nudge(const ChwWindow* w, int key) {
    return key == kKeyShiftWheelUp || key == kKeyShiftWheelDown ||
           (w && w->repeat_held_caps && (key == kKeyF5 || key == kKeyF6));
}

bool is_modifier(int key) { return key == kKeyShift || key == kKeyCtrl || key == kKeyAlt; }

// What an input does to a run of nudges: it is one, it ends the run, or it
// passes (a modifier, the refresh after a Shift+wheel) unless it changed
// something itself.
enum class Run { kNudge, kEnds, kPasses };

Run run_of(const ChwWindow* w, int key) {
    if (is_nudge(w, key)) return Run::kNudge;
    return key == kKeyRefresh || is_modifier(key) ? Run::kPasses : Run::kEnds;
}

// After an action: what changed in each table is a step of one order.
void keep_action(uint8_t tables, const char* what, Run run) {
    const uint64_t order = ++g.order;
    const uint64_t join = run == Run::kNudge ? g.nudges : 0;
    uint64_t kept = 0;
    for_each_table(tables, [&](TableHistory& h) { kept = std::max(kept, h.keep(g_show, what, order, join)); });
    // A new step ends what could be done again in every table of the window.
    if (kept == order) for_each_table(tables, [](TableHistory& h) { h.drop_redo(); });
    if (run == Run::kNudge)
        g.nudges = kept;
    else if (run == Run::kEnds || kept != 0)
        g.nudges = 0;
}

// Runs the editor's handler as one action: the tables noted before, what
// changed kept after. Handlers it calls on the way (a list's pick, a
// question) belong to it.
template <typename Call>
int as_one_action(uint8_t tables, const char* what, Run run, Call call) {
    for_each_table(tables, [](TableHistory& h) { h.note(g_show); });
    ++g.depth;
    const int result = call();
    --g.depth;
    keep_action(tables, what, run);
    return result;
}

// --- what the message line says

void append(char* out, std::size_t size, const char* text) {
    const std::size_t n = std::strlen(out);
    if (n + 1 < size) std::snprintf(out + n, size - n, "%s", text);
}

// The cue records of a step are named by their numbers from before the
// action (the deleted point cue, where one was inserted): in the table after
// an undo, in the step's bytes after a redo.
int cue_number_before(const TableHistory::Step& s, int record, bool undone) {
    if (undone) return g_show.cues[record].number;
    CueRecord r;
    std::memcpy(&r, s.bytes.data() + sizeof r * static_cast<std::size_t>(record - s.first), sizeof r);
    return r.number;
}

void append_number(char* out, std::size_t size, ShowTable t, const TableHistory::Step& s, int record, bool undone) {
    char n[24];
    if (t == ShowTable::kCues) {
        const CueNumberText c = cue_number_text(cue_number_before(s, record, undone), CueNumberStyle::kLabel);
        const char* p = c.text;
        while (*p == ' ') ++p;
        std::snprintf(n, sizeof n, "%s", p);
    } else {
        std::snprintf(n, sizeof n, "%d", record + 1);
    }
    append(out, size, n);
}

// The records of a step as the editor names them: "シーン12", "キュー3.～5.5".
void append_records(char* out, std::size_t size, ShowTable t, const TableHistory::Step& s, bool undone) {
    static const char* nouns[kShowFiles] = {sj("ユーザ色"), sj("シーン"), sj("チェイス"), sj("キュー"),
                                            sj("灯体"),     "F",         sj("グループ")};
    append(out, size, nouns[static_cast<int>(t)]);
    append_number(out, size, t, s, s.first, undone);
    if (s.count <= 1) return;
    append(out, size, sj("～"));
    append_number(out, size, t, s, s.first + s.count - 1, undone);
}

void say_done(bool undone, ShowTable t, const TableHistory::Step& s) {
    static const char* undo_verb = sj("元に戻す");
    static const char* redo_verb = sj("やり直す");
    char* text = g.message;
    const std::size_t size = sizeof g.message;
    text[0] = '\0';
    append(text, size, undone ? undo_verb : redo_verb);
    append(text, size, ": ");
    append_records(text, size, t, s, undone);
    if (s.what) {
        append(text, size, " ");
        append(text, size, sj(s.what));
    }
    text[sjis_fit(text, std::strlen(text))] = '\0';
    if (g_screen) g_screen->set_message_line(text);
}

// Takes back (or does again) the window's latest (earliest undone) step in
// every table that shares its order.
void step(bool back) {
    static const char* no_undo = sj("元に戻す変更はありません");
    static const char* no_redo = sj("やり直す変更はありません");
    g.nudges = 0;
    uint64_t order = 0;
    for_each_table(g.tables, [&](TableHistory& h) {
        const uint64_t o = back ? h.undo_order() : h.redo_order();
        if (o != 0 && (order == 0 || (back ? o > order : o < order))) order = o;
    });
    if (order == 0) {
        std::snprintf(g.message, sizeof g.message, "%s", back ? no_undo : no_redo);
        return say(g.message);
    }
    const TableHistory::Step* said = nullptr;
    ShowTable said_of = ShowTable::kScenes;
    for_each_table(g.tables, [&](TableHistory& h) {
        if ((back ? h.undo_order() : h.redo_order()) != order) return;
        const TableHistory::Step* s = back ? h.undo(g_show) : h.redo(g_show);
        if (s && !said) {
            said = s;
            said_of = h.table();
        }
    });
    if (said) say_done(back, said_of, *said);
}

void undo_last() { step(true); }
void redo_last() { step(false); }

constexpr ChwMods kModsCtrlShift{kModCtrl | kModShift, kModAlt};

constexpr ChwKeyRow kUndoRows[] = {
    {kKeyZ, 0, kModsCtrl, "最後の変更を元に戻す", key_act<undo_last>},
    {'Y', 0, kModsCtrl, "元に戻した変更をやり直す", key_act<redo_last>},
    {kKeyZ, 0, kModsCtrlShift, "やり直す (Ctrl+Yと同じ)", key_act<redo_last>},
};

constexpr ChwKeyTable kUndoKeyTable{kUndoRows, {}, false};

// The words of the action a key starts on the top window w.
const char* words_of(const ChwWindow* w, int key, const ChwKeyRow* own) {
    if (own && own->what && !is_modifier(key)) {
        g.said_by = w;
        g.said = own->what;
        return own->what;
    }
    return key == kKeyRefresh && g.said_by == w ? g.said : nullptr;
}

// A modifier pressed or let go on the window leaves the undo's message up;
// any other key or click takes it down.
void keep_message(const ChwWindow* w, int key) {
    if (!is_modifier(key) || w != g.message_of) {
        g.message[0] = '\0';
        return;
    }
    if (g.message[0] && g_screen && !g_screen->message_line()[0]) g_screen->set_message_line(g.message);
}

int keyed(const ChwKeyHandler& handler, uint8_t tables, int key, int flags) {
    // Esc closes the window and frees this handler with it: nothing of the
    // window is touched after the editor's handler returns.
    const ChwKeyHandler inner = handler;
    if (g.depth > 0) return inner(key, flags);
    const ChwWindow* w = g_screen ? g_screen->top_window() : nullptr;
    const ChwKeyRow* own = w && w->key_table ? find_key_row(w->key_table->keys, key, flags) : nullptr;
    const ChwKeyRow* undo_row = own ? nullptr : find_key_row(kUndoRows, key, flags);
    if (undo_row) {
        // The editor hears it as every key (it clears the message line and
        // draws), finds nothing to do, and the history does it.
        const int result = inner(key, flags);
        g.tables = tables;
        g.message_of = w;
        undo_row->act(key, flags);
        return result;
    }
    const int result = as_one_action(tables, words_of(w, key, own), run_of(w, key), [&] { return inner(key, flags); });
    keep_message(w, key);
    return result;
}

int clicked(const ChwMouseHandler& handler, uint8_t tables, int column, int row, int button, int flags) {
    const ChwMouseHandler inner = handler;
    if (g.depth > 0) return inner(column, row, button, flags);
    const int key = as_one_action(tables, nullptr, Run::kEnds, [&] { return inner(column, row, button, flags); });
    g.message[0] = '\0';
    return key;
}

}  // namespace

const ChwKeyTable& undo_key_table() { return kUndoKeyTable; }

ChwKeyHandler undoable_keys(ChwKeyHandler inner, uint8_t tables) {
    if (!inner || tables == 0) return inner;
    return [inner = std::move(inner), tables](int key, int flags) { return keyed(inner, tables, key, flags); };
}

ChwMouseHandler undoable_clicks(ChwMouseHandler inner, uint8_t tables) {
    if (!inner || tables == 0) return inner;
    return [inner = std::move(inner), tables](int column, int row, int button, int flags) {
        return clicked(inner, tables, column, row, button, flags);
    };
}

void clear_edit_histories() {
    clear_table_histories();
    g.nudges = 0;
    g.said_by = nullptr;
    g.said = nullptr;
    g.message[0] = '\0';
}

}  // namespace prismel
