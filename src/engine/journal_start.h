#pragma once
// What a start makes of the playback journal left by the last run: nothing
// (no journal), a clean end (standby, as always), an unexpected end to play
// on from, or a journal that cannot be used (standby, and the operator is
// told why).
#include <string>

#include "engine/playback_engine.h"
#include "engine/playback_journal.h"

namespace prismel {

struct JournalStart {
    enum class Kind { none, clean, resume, refused };
    Kind kind = Kind::none;
    JournalFault fault = JournalFault::none;  // why, for refused
    JournalEntry entry;                        // the record, for resume
};

// The journal file at `path`, judged against the show of `show_digest`. A
// file that exists but cannot be read counts as damaged.
JournalStart read_journal_at_start(const std::string& path, uint64_t show_digest);

// For resume: the record restored on `engine` (before its first step).
// Anything else leaves the engine as it is.
void resume_from(PlaybackEngine& engine, const JournalStart& start);

// The message line after a start (CP932), or nullptr for none, a clean end
// and standby restored.
const char* journal_start_message(const JournalStart& start);

}  // namespace prismel
