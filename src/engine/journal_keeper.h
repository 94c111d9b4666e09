#pragma once
// Keeps the playback journal on disk while the program runs. A small thread
// of its own looks at what the live show plays every 20 ms and, when that
// changed, writes the journal durably (platform/durable_file.h): the record
// on disk is at most a period and one write behind the stage. The actions
// that change the show are not hooked, they are observed, so a GO from the
// keyboard, a remote, a wait time or a preset call is recorded alike, and an
// editor's output test or a preview never is.
//
// Nothing of this runs on the output thread: the engine is read under its
// lock for a few fields, as the screens read it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "engine/playback_engine.h"
#include "engine/playback_journal.h"

namespace prismel {

class JournalKeeper {
public:
    static constexpr std::chrono::milliseconds kPeriod{20};
    // After a failed write the next try waits this long.
    static constexpr std::chrono::milliseconds kRetry{1000};

    JournalKeeper(const PlaybackEngine& engine, std::string path);
    // Stops the thread; the journal keeps its last record, open: a later
    // start takes it for an unexpected end.
    ~JournalKeeper();
    JournalKeeper(const JournalKeeper&) = delete;
    JournalKeeper& operator=(const JournalKeeper&) = delete;

    // Starts the thread, which writes the first record at once.
    void start(uint64_t show_digest, int universe);
    // What the records carry besides the engine's state; any thread.
    void set_show_digest(uint64_t digest) { digest_.store(digest, std::memory_order_relaxed); }
    void set_universe(int universe) { universe_.store(universe, std::memory_order_relaxed); }
    void set_backup_following(bool on) { backup_.store(on, std::memory_order_relaxed); }

    // Stops the thread and writes the record once more, marked as a clean
    // end: true when it reached the disk.
    bool close_cleanly();

    // False while the last write failed.
    bool writing() const { return writing_.load(std::memory_order_relaxed); }
    // Records written so far.
    unsigned long writes() const { return writes_.load(std::memory_order_relaxed); }
    const std::string& path() const { return path_; }

private:
    JournalEntry sample() const;
    bool write(const JournalEntry& entry);
    void run();
    void stop();

    const PlaybackEngine& engine_;
    const std::string path_;
    std::atomic<uint64_t> digest_{0};
    std::atomic<int> universe_{0};
    std::atomic<bool> backup_{false};
    std::atomic<bool> writing_{true};
    std::atomic<unsigned long> writes_{0};

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;  // guarded by mutex_
    std::thread thread_;
};

// Writes one record durably; the keeper's own write, for whoever needs it
// without a thread.
bool write_journal_file(const std::string& path, const JournalEntry& entry);

}  // namespace prismel
