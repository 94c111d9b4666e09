#pragma once
// Edits reach the disk while their editor is still open. On every tick of
// the window thread the toolkit walks the window stack, asks each window
// which show tables its screen edits (edited_tables.h) and compares each
// such table with the image it kept when the editor opened or last wrote
// it. A table that differs is written (write_show_table, the same durable
// write as at close) kWriteDelay after the tick that first saw it differ,
// so a run of quick edits costs one write and no change waits on the disk
// for more than about a second. The editors still write their tables when
// they close.
//
// Window thread only, outside every edit guard. A tick that finds nothing
// to write allocates nothing.
#include <chrono>

#include "chwin/chw_screen.h"

namespace prismel {

using EditClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kWriteDelay{1000};

// One tick: g_show against the kept images, the open editors found on
// `screen`'s stack. Returns the number of tables written.
int keep_open_edits(const ChwScreen& screen, EditClock::time_point now);

// Forgets every kept image (tests start from none).
void reset_kept_edits();

}  // namespace prismel
