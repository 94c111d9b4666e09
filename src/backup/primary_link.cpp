#include "backup/primary_link.h"

#include <algorithm>

namespace prismel::backup {

PrimaryLink::PrimaryLink(PlaybackEngine& engine, const ShowData& show, LinkOutputs& outputs, Note note)
    : engine_(engine), show_(show), outputs_(outputs), note_(std::move(note)), session_(new_session()) {}

void PrimaryLink::await_backup(std::chrono::milliseconds wait) {
    outputs_.hold(true);
    waiting_until_ = Clock::now() + wait;
}

bool PrimaryLink::start(uint16_t port, std::string& error) {
    return listener_.start(
        port, remote::SenderAllow{},
        [this](const uint8_t* data, size_t size, const remote::UdpPeer& from) { on_datagram(data, size, from); },
        [this] { on_tick(); }, "prismel-link", error);
}

void PrimaryLink::stop() {
    listener_.stop();
    if (waiting_until_) release_outputs();
}

LinkStatus PrimaryLink::status() const { return LinkStatus{LinkStatus::Role(role_.load()), false}; }

bool PrimaryLink::backed() const {
    const auto r = LinkStatus::Role(role_.load());
    return r == LinkStatus::Role::primary_backed || r == LinkStatus::Role::primary_overruled;
}

void PrimaryLink::on_datagram(const uint8_t* data, size_t size, const remote::UdpPeer& from) {
    LinkMessage m;
    if (decode_link(data, size, m) != LinkFault::none) {
        refused_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    switch (m.header.kind) {
    case LinkKind::subscribe: subscribed(m, from, Clock::now()); break;
    case LinkKind::show_request: serve_show(m.request, from); break;
    default: refused_.fetch_add(1, std::memory_order_relaxed); break;  // another primary's state: not ours to play
    }
}

void PrimaryLink::subscribed(const LinkMessage& m, const remote::UdpPeer& from, Clock::time_point now) {
    auto it = std::find_if(backups_.begin(), backups_.end(), [&](const Backup& b) { return b.peer == from; });
    if (it == backups_.end()) {
        if (int(backups_.size()) >= kMostBackups) return;
        if (backups_.empty()) note_(LinkNote::backup_joined);
        backups_.push_back(Backup{from, now, false});
        it = backups_.end() - 1;
        had_backup_ = true;
        changes_seen_ = ~engine_.changes();  // a new backup hears the live show at once
    }
    it->last = now;
    it->active = (m.flags & kBackupActive) != 0;
    // Back after a run a backup followed: an active backup's look is the
    // stage's, so it is what this console sends from its first frame on.
    if (waiting_until_ && it->active && m.has_playback && engine_.install_live_state(m.playback)) {
        release_outputs();
        note_(LinkNote::adopted);
    }
    publish();
}

void PrimaryLink::on_tick() {
    const Clock::time_point now = Clock::now();
    if (waiting_until_ && now >= *waiting_until_) release_outputs();
    const size_t before = backups_.size();
    std::erase_if(backups_, [&](const Backup& b) { return now - b.last >= kSubscriberAge; });
    if (before > 0 && backups_.empty()) note_(LinkNote::backup_lost);
    if (!backups_.empty() && (engine_.changes() != changes_seen_ || now - last_sent_ >= kHeartbeat)) send_state(now);
    publish();
}

void PrimaryLink::send_state(Clock::time_point now) {
    changes_seen_ = engine_.changes();
    last_sent_ = now;
    LinkMessage m;
    m.header.kind = LinkKind::state;
    m.flags = outputs_.sending() ? kPrimarySending : 0;
    m.has_playback = true;
    m.playback = engine_.live_state();
    m.header.session = session_;
    m.header.sequence = ++sequence_;
    m.header.show_digest = digest_.load(std::memory_order_relaxed);
    const std::vector<uint8_t> bytes = encode_link(m);
    for (const Backup& b : backups_) listener_.send_to(b.peer, bytes.data(), bytes.size());
}

void PrimaryLink::serve_show(const ShowRequest& r, const remote::UdpPeer& to) {
    // A new copy reads the tables again, at most once a second: a flood of
    // requests cannot keep the engine's lock busy.
    static constexpr std::chrono::seconds kFresh{1};
    const Clock::time_point now = Clock::now();
    if (r.copy == 0 && (!snapshot_ || now - snapshot_taken_ >= kFresh)) {
        snapshot_ = snapshot_of(engine_, show_);
        snapshot_taken_ = now;
    }
    if (!snapshot_) return;
    LinkMessage m;
    m.header.kind = LinkKind::show_part;
    m.part = part_of(*snapshot_, r);
    send(to, m);
}

void PrimaryLink::send(const remote::UdpPeer& to, LinkMessage& m) {
    m.header.session = session_;
    m.header.sequence = ++sequence_;
    m.header.show_digest = digest_.load(std::memory_order_relaxed);
    const std::vector<uint8_t> bytes = encode_link(m);
    listener_.send_to(to, bytes.data(), bytes.size());
}

void PrimaryLink::release_outputs() {
    waiting_until_.reset();
    outputs_.hold(false);
}

void PrimaryLink::publish() {
    LinkStatus::Role r = had_backup_ ? LinkStatus::Role::primary_alone : LinkStatus::Role::none;
    if (!backups_.empty()) r = LinkStatus::Role::primary_backed;
    for (const Backup& b : backups_)
        if (b.active) r = LinkStatus::Role::primary_overruled;
    role_.store(uint8_t(r));
}

}  // namespace prismel::backup
