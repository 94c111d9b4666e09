#include "engine/journal_keeper.h"

#include <optional>

#include "platform/durable_file.h"

namespace prismel {

bool write_journal_file(const std::string& path, const JournalEntry& entry) {
    unsigned char bytes[kJournalBytes];
    encode_journal(entry, bytes);
    return replace_file_durably(path, bytes, sizeof bytes);
}

JournalKeeper::JournalKeeper(const PlaybackEngine& engine, std::string path)
    : engine_(engine), path_(std::move(path)) {}

JournalKeeper::~JournalKeeper() { stop(); }

void JournalKeeper::start(uint64_t show_digest, int universe) {
    if (thread_.joinable()) return;
    set_show_digest(show_digest);
    set_universe(universe);
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread([this] { run(); });
}

void JournalKeeper::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool JournalKeeper::close_cleanly() {
    stop();
    JournalEntry last = sample();
    last.clean_end = true;
    return write(last);
}

JournalEntry JournalKeeper::sample() const {
    JournalEntry e;
    e.show_digest = digest_.load(std::memory_order_relaxed);
    e.playback = engine_.live_playback();
    e.universe = universe_.load(std::memory_order_relaxed);
    e.backup_following = backup_.load(std::memory_order_relaxed);
    return e;
}

bool JournalKeeper::write(const JournalEntry& entry) {
    const bool ok = write_journal_file(path_, entry);
    writing_.store(ok, std::memory_order_relaxed);
    if (ok) writes_.fetch_add(1, std::memory_order_relaxed);
    return ok;
}

void JournalKeeper::run() {
    std::optional<JournalEntry> on_disk;
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        const JournalEntry now = sample();
        bool failed = false;
        if (now != on_disk) {
            if (write(now)) on_disk = now;
            else failed = true;
        }
        lock.lock();
        wake_.wait_for(lock, failed ? kRetry : kPeriod, [this] { return stopping_; });
    }
}

}  // namespace prismel
