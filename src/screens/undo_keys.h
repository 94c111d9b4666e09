#pragma once
// Undo and redo in every editor, kept by the screen toolkit around the
// editor's own handlers: before each key or click the tables the window edits
// are noted, after it what changed becomes one step of their history
// (table_history.h), however many records it touched and whatever input or
// question the key opened on the way. Ctrl+Z takes back the window's last
// step, Ctrl+Y and Ctrl+Shift+Z do it again; the message line says which.
// A run of nudges of one value (Shift+wheel, a held F5/F6) is one step.
//
// The histories (a hundred steps of each table) last while the console
// runs, across closing and reopening an editor; a show read anew (a data
// folder loaded, the data initialised) clears them. An undone table reaches
// its file as any edit does: the open editor's keeper writes it, its close
// writes it.
#include <cstdint>

#include "chwin/chw_key_table.h"
#include "chwin/chw_window.h"

namespace prismel {

// The rows of Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, for the key map.
const ChwKeyTable& undo_key_table();

// The editor's handlers with the undo around them, for a window that edits
// `tables` (edited_tables.h bits). A null handler stays null.
ChwKeyHandler undoable_keys(ChwKeyHandler inner, uint8_t tables);
ChwMouseHandler undoable_clicks(ChwMouseHandler inner, uint8_t tables);

// Every history forgotten, with the run of nudges and the last action's words.
void clear_edit_histories();

}  // namespace prismel
