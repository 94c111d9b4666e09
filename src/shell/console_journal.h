#pragma once
// The console's playback journal from start to end: its file beside the
// settings file (named after the executable, ".JNL"), the resume at start-up
// before the output's first frame, the keeper while the console runs, and
// the clean mark at an orderly end.
#include <memory>
#include <string>

#include "data/message_line.h"
#include "data/show_data.h"
#include "data/show_digest.h"
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"

namespace prismel {

// "/home/u/p/" and "/usr/bin/prismel" give "/home/u/p/prismel.JNL".
std::string journal_path_in(const std::string& folder, const std::string& exe_path);

class ConsoleJournal {
public:
    ConsoleJournal(PlaybackEngine& engine, const ShowData& show, std::string path);

    // After the show is loaded and the engine initialised, before the output
    // thread starts: the last run's journal read and, when it ended
    // unexpectedly and `resume` is on, its record restored. Then the keeper
    // starts with `universe` (the journal's own after a resume: see
    // universe()).
    const JournalStart& start(bool resume, int universe);
    bool resumed() const { return start_.kind == JournalStart::Kind::resume; }
    // The universe the output takes: the journal's after a resume, else the given one.
    int universe(int configured) const { return resumed() ? start_.entry.universe : configured; }
    // The last run's journal says a backup console followed it.
    bool backup_followed() const {
        return (start_.kind == JournalStart::Kind::resume || start_.kind == JournalStart::Kind::clean) &&
               start_.entry.backup_following;
    }
    // The show's digest as of the last tick.
    uint64_t show_digest() const { return digest_.value(); }
    void set_backup_following(bool on) { keeper_.set_backup_following(on); }

    // Each tick of the window thread: the digest of tables read or written
    // since, the output's universe, and a journal that stopped reaching the
    // disk said once on `line`. Allocates nothing.
    void tick(int universe, MessageLine& line);

    // An orderly end: the last record written, marked clean.
    void close_cleanly();

private:
    PlaybackEngine& engine_;
    const ShowData& show_;
    ShowDigestCache digest_;
    JournalStart start_;
    JournalKeeper keeper_;
    bool failure_said_ = false;
};

}  // namespace prismel
