#pragma once
// The backup's side of the link: it subscribes to its primary every 100 ms,
// plays every live show the primary sends in its own engine (so its frame is
// the primary's, a fade in progress included), holds its outputs while it
// follows and lets them go when the primary falls silent (backup_role.h).
// While active it sends its own live show with each subscription, so that a
// primary coming back starts from it. It says when its show is not the
// primary's, and copies the primary's show when asked.
//
// Everything runs on the link's own thread; the engine is written under its
// guard, never on the output thread. Only datagrams from the primary's
// address are read.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "backup/backup_role.h"
#include "backup/link_message.h"
#include "backup/link_notes.h"
#include "backup/link_outputs.h"
#include "backup/show_copy.h"
#include "engine/playback_engine.h"
#include "remote/udp_listener.h"

namespace prismel::backup {

class BackupLink {
public:
    using Clock = std::chrono::steady_clock;
    using Note = std::function<void(LinkNote)>;  // from the link's thread
    static constexpr std::chrono::milliseconds kSubscribe{100};

    BackupLink(PlaybackEngine& engine, LinkOutputs& outputs, Note note);
    ~BackupLink() { stop(); }
    BackupLink(const BackupLink&) = delete;
    BackupLink& operator=(const BackupLink&) = delete;

    // Holds the outputs, watches the primary's DMX and subscribes to the
    // primary at `primary` (host order) on `port`. Call before the outputs
    // start. False, with the system's reason, when no socket can be had.
    bool start(uint32_t primary, uint16_t port, std::string& error);
    void stop();
    uint16_t port() const { return listener_.port(); }

    // This console's show digest. Any thread.
    void set_show_digest(uint64_t digest) { own_digest_.store(digest, std::memory_order_relaxed); }
    LinkStatus status() const;
    BackupRole role() const { return BackupRole(role_.load()); }

    // Asks for the primary's show: false (with a note) while no primary has
    // been heard, true when the copy began or already runs. Any thread.
    bool copy_primary_show();
    // A copy that arrived whole, once: the owner swaps it in on its own
    // thread (swap_in_copied_show). Any thread.
    bool take_copied_show(ShowImages& out);

    uint64_t installed() const { return installed_.load(std::memory_order_relaxed); }
    uint64_t refused() const { return refused_.load(std::memory_order_relaxed); }

private:
    using Ms = RoleMachine::Time;
    Ms since_start(Clock::time_point t) const { return std::chrono::duration_cast<Ms>(t - started_); }
    void on_datagram(const uint8_t* data, size_t size);
    void on_tick();
    void heard_state(const LinkMessage& m, Ms now);
    void judge_show(uint64_t primary_digest);
    void follow_role(BackupRole role);
    void subscribe();
    void run_copy(Ms now);
    void send(LinkMessage& m);

    PlaybackEngine& engine_;
    LinkOutputs& outputs_;
    Note note_;
    remote::UdpListener listener_;
    remote::UdpPeer primary_;
    const uint32_t session_;
    Clock::time_point started_;

    std::atomic<uint64_t> own_digest_{0};
    std::atomic<uint8_t> role_{uint8_t(BackupRole::starting)};
    std::atomic<bool> differs_{false};
    std::atomic<bool> heard_{false};
    std::atomic<bool> copy_wanted_{false};
    std::atomic<uint64_t> installed_{0};
    std::atomic<uint64_t> refused_{0};

    // The link's thread only.
    RoleMachine machine_{Ms{0}};
    uint32_t sequence_ = 0;
    Clock::time_point last_subscribed_{};
    uint64_t watched_seen_ = 0;
    std::optional<uint32_t> primary_session_;
    uint32_t primary_sequence_ = 0;
    std::optional<std::pair<uint64_t, uint64_t>> judged_;  // (primary's digest, own) last said
    ShowAssembly copy_;

    std::mutex copied_mutex_;
    std::optional<ShowImages> copied_;  // guarded by copied_mutex_
};

}  // namespace prismel::backup
