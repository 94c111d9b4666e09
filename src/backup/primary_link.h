#pragma once
// The primary's side of the link: every console without BackupOf answers
// the backups that subscribe to it. To each it sends its live show (the
// engine's played state) at once when what is played changed and at least
// every 100 ms as its heartbeat, and it hands out copies of its show. At a
// start after a run that a backup followed, its outputs wait (a quarter of a
// second at most) for an active backup's live show, take it over and only
// then send, so the look on the wire does not change when the backup gives
// back.
//
// Everything runs on the link's own thread; the engine is read and written
// under its guard as the screens do, never on the output thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/link_message.h"
#include "backup/link_notes.h"
#include "backup/link_outputs.h"
#include "backup/show_copy.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "remote/udp_listener.h"

namespace prismel::backup {

class PrimaryLink {
public:
    using Clock = std::chrono::steady_clock;
    using Note = std::function<void(LinkNote)>;  // from the link's thread
    static constexpr std::chrono::milliseconds kHeartbeat{100};
    // A backup that has not subscribed for this long is gone.
    static constexpr std::chrono::milliseconds kSubscriberAge{1000};
    static constexpr int kMostBackups = 4;
    static constexpr std::chrono::milliseconds kStartWait{250};

    PrimaryLink(PlaybackEngine& engine, const ShowData& show, LinkOutputs& outputs, Note note);
    ~PrimaryLink() { stop(); }
    PrimaryLink(const PrimaryLink&) = delete;
    PrimaryLink& operator=(const PrimaryLink&) = delete;

    // Before the output's first frame, where a backup followed the last run:
    // the outputs are held until an active backup's live show has been
    // taken over, or for `wait` at most.
    void await_backup(std::chrono::milliseconds wait = kStartWait);
    // Listens on `port` (0: any free one). False, with the system's reason.
    bool start(uint16_t port, std::string& error);
    void stop();
    uint16_t port() const { return listener_.port(); }

    // The digest the heartbeats announce. Any thread.
    void set_show_digest(uint64_t digest) { digest_.store(digest, std::memory_order_relaxed); }
    LinkStatus status() const;
    // A backup follows or is active: the journal keeps it for the next start.
    bool backed() const;
    // Datagrams that were not a sound message.
    uint64_t refused() const { return refused_.load(std::memory_order_relaxed); }

private:
    struct Backup {
        remote::UdpPeer peer;
        Clock::time_point last;
        bool active = false;
    };
    void on_datagram(const uint8_t* data, size_t size, const remote::UdpPeer& from);
    void on_tick();
    void subscribed(const LinkMessage& m, const remote::UdpPeer& from, Clock::time_point now);
    void send_state(Clock::time_point now);
    void serve_show(const ShowRequest& r, const remote::UdpPeer& to);
    void send(const remote::UdpPeer& to, LinkMessage& m);
    void release_outputs();
    void publish();

    PlaybackEngine& engine_;
    const ShowData& show_;
    LinkOutputs& outputs_;
    Note note_;
    remote::UdpListener listener_;
    std::atomic<uint64_t> digest_{0};
    std::atomic<uint8_t> role_{uint8_t(LinkStatus::Role::none)};
    std::atomic<uint64_t> refused_{0};
    const uint32_t session_;

    // The link's thread only (and before start).
    std::optional<Clock::time_point> waiting_until_;
    std::vector<Backup> backups_;
    bool had_backup_ = false;
    uint32_t sequence_ = 0;
    uint64_t changes_seen_ = 0;
    Clock::time_point last_sent_{};
    std::optional<ShowSnapshot> snapshot_;
    Clock::time_point snapshot_taken_{};
};

}  // namespace prismel::backup
