#include "backup/backup_link.h"

namespace prismel::backup {

BackupLink::BackupLink(PlaybackEngine& engine, LinkOutputs& outputs, Note note)
    : engine_(engine), outputs_(outputs), note_(std::move(note)), session_(new_session()) {}

bool BackupLink::start(uint32_t primary, uint16_t port, std::string& error) {
    outputs_.hold(true);
    outputs_.watch(primary);
    primary_ = remote::UdpPeer{primary, port};
    started_ = Clock::now();
    machine_ = RoleMachine(Ms{0});
    watched_seen_ = outputs_.watched();
    remote::SenderAllow only_primary;
    only_primary.any = false;
    only_primary.ranges.push_back(remote::AllowRange{primary, 0xFFFFFFFFu});
    return listener_.start(
        0, std::move(only_primary),
        [this](const uint8_t* data, size_t size, const remote::UdpPeer&) { on_datagram(data, size); },
        [this] { on_tick(); }, "prismel-backup", error);
}

void BackupLink::stop() { listener_.stop(); }

LinkStatus BackupLink::status() const {
    LinkStatus s;
    switch (role()) {
    case BackupRole::starting: s.role = LinkStatus::Role::backup_starting; break;
    case BackupRole::following: s.role = LinkStatus::Role::backup_following; break;
    case BackupRole::active: s.role = LinkStatus::Role::backup_active; break;
    }
    s.show_differs = differs_.load(std::memory_order_relaxed);
    return s;
}

bool BackupLink::copy_primary_show() {
    if (!heard_.load()) {
        note_(LinkNote::no_primary);
        return false;
    }
    copy_wanted_.store(true);
    return true;
}

bool BackupLink::take_copied_show(ShowImages& out) {
    std::lock_guard lock(copied_mutex_);
    if (!copied_) return false;
    out = std::move(*copied_);
    copied_.reset();
    return true;
}

void BackupLink::on_datagram(const uint8_t* data, size_t size) {
    LinkMessage m;
    if (decode_link(data, size, m) != LinkFault::none) {
        refused_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const Ms now = since_start(Clock::now());
    switch (m.header.kind) {
    case LinkKind::state: heard_state(m, now); break;
    case LinkKind::show_part:
        if (copy_.take(m.part, now) != ShowAssembly::State::copying) run_copy(now);
        break;
    default: refused_.fetch_add(1, std::memory_order_relaxed); break;
    }
}

void BackupLink::heard_state(const LinkMessage& m, Ms now) {
    // A state older than one already played (datagrams overtaking each
    // other) is not played again; a new session is a primary that restarted.
    const bool same_session = primary_session_ && *primary_session_ == m.header.session;
    const bool newer = !same_session || int32_t(m.header.sequence - primary_sequence_) > 0;
    if (!newer) return;
    primary_session_ = m.header.session;
    primary_sequence_ = m.header.sequence;
    const bool sending = (m.flags & kPrimarySending) != 0;
    machine_.heartbeat(now, sending);
    heard_.store(true);
    // While this console sends, the primary's show is played only once the
    // primary sends too: a primary still starting has not taken the stage's
    // look yet.
    if (machine_.role() != BackupRole::active || sending) {
        if (engine_.install_live_state(m.playback)) installed_.fetch_add(1, std::memory_order_relaxed);
    }
    // The show's word comes last: it stays on the message line.
    follow_role(machine_.tick(now));
    judge_show(m.header.show_digest);
}

void BackupLink::judge_show(uint64_t primary_digest) {
    const std::pair<uint64_t, uint64_t> now{primary_digest, own_digest_.load(std::memory_order_relaxed)};
    if (judged_ == now) return;
    const bool differed = judged_ && judged_->first != judged_->second;
    judged_ = now;
    const bool differs = now.first != now.second;
    differs_.store(differs);
    if (differs) note_(LinkNote::show_differs);
    else if (differed) note_(LinkNote::show_same);
}

void BackupLink::follow_role(BackupRole role) {
    const BackupRole before = BackupRole(role_.exchange(uint8_t(role)));
    if (role == before) return;
    if (role == BackupRole::active) {
        outputs_.hold(false);
        note_(LinkNote::took_over);
    } else if (role == BackupRole::following) {
        outputs_.hold(true);
        note_(before == BackupRole::active ? LinkNote::gave_back : LinkNote::following);
    }
}

void BackupLink::on_tick() {
    const Clock::time_point t = Clock::now();
    const Ms now = since_start(t);
    const uint64_t watched = outputs_.watched();
    if (watched != watched_seen_) {
        watched_seen_ = watched;
        machine_.output(now);
    }
    follow_role(machine_.tick(now));
    if (judged_) judge_show(judged_->first);  // this console's show changed
    if (t - last_subscribed_ >= kSubscribe) {
        last_subscribed_ = t;
        subscribe();
    }
    if (copy_wanted_.exchange(false)) {
        copy_.begin(now);
        note_(LinkNote::copy_started);
    }
    run_copy(now);
}

void BackupLink::subscribe() {
    LinkMessage m;
    m.header.kind = LinkKind::subscribe;
    if (role() == BackupRole::active) {
        m.flags = kBackupActive;
        m.has_playback = true;
        m.playback = engine_.live_state();
    }
    send(m);
}

void BackupLink::run_copy(Ms now) {
    if (copy_.state() == ShowAssembly::State::copying) {
        for (const ShowRequest& r : copy_.due(now)) {
            LinkMessage m;
            m.header.kind = LinkKind::show_request;
            m.request = r;
            send(m);
        }
    }
    switch (copy_.state()) {
    case ShowAssembly::State::done: {
        std::lock_guard lock(copied_mutex_);
        copied_ = copy_.images();
        break;
    }
    case ShowAssembly::State::failed: note_(LinkNote::copy_failed); break;
    default: return;
    }
    copy_ = ShowAssembly{};
}

void BackupLink::send(LinkMessage& m) {
    m.header.session = session_;
    m.header.sequence = ++sequence_;
    m.header.show_digest = own_digest_.load(std::memory_order_relaxed);
    const std::vector<uint8_t> bytes = encode_link(m);
    listener_.send_to(primary_, bytes.data(), bytes.size());
}

}  // namespace prismel::backup
