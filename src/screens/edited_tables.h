#pragma once
// The show tables a screen edits, as a set of bits on its window, so that
// the screen toolkit can keep every edit (write it soon, undo it) without
// knowing which editor is open.
#include <cstdint>

#include "chwin/chw_window.h"
#include "data/show_files.h"

namespace prismel {

constexpr uint8_t table_bit(ShowTable t) { return uint8_t(1u << static_cast<int>(t)); }

constexpr bool edits_table(uint8_t tables, ShowTable t) { return (tables & table_bit(t)) != 0; }

inline uint8_t edited_tables_of(const ChwWindow* w) { return w ? w->edited_tables : 0; }

}  // namespace prismel
