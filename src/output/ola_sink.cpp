#include "output/ola_sink.h"

#include <signal.h>

#include <cstring>

namespace prismel::artnet {

namespace {

// A write to a daemon that went away must not end the program: the client
// library asks for no signal on its sockets, and this thread takes none.
void refuse_sigpipe() {
#ifndef _WIN32
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
#endif
}

void serve(OlaSink::Shared& shared, const OlaSink::Connect& connect, SideThread::Control& control) {
    refuse_sigpipe();
    std::unique_ptr<OlaConnection> olad = connect();
    FrameHandoff::Frame newest{};
    bool have = false;
    auto send = [&] {
        if (!olad->send(unsigned(shared.universe.load()), newest.data(), newest.size())) return false;
        shared.sent.fetch_add(1, std::memory_order_relaxed);
        return true;
    };
    while (!control.stopping()) {
        if (!olad->connect()) {
            shared.status.store(OutputStatus::no_ola);
            control.pause(OlaSink::kConnectAgain);
            continue;
        }
        shared.status.store(OutputStatus::ok);
        if (const FrameHandoff::Frame* f = shared.handoff.take()) {
            newest = *f;
            have = true;
        }
        bool connected = !have || send();
        while (connected && !control.stopping()) {
            const FrameHandoff::Frame* f = shared.handoff.wait_take();
            if (!f) continue;
            newest = *f;
            have = true;
            connected = send();
        }
        olad->close();
        if (!connected) {
            shared.status.store(OutputStatus::no_ola);
            control.pause(OlaSink::kConnectAgain);
        }
    }
}

}  // namespace

OlaSink::OlaSink(Connect connect, int universe) {
    shared_->universe.store(universe);
    side_.start(
        "ola", [shared = shared_, connect = std::move(connect)](SideThread::Control& control) {
            serve(*shared, connect, control);
        },
        [shared = shared_] { shared->handoff.wake(); });
}

OlaSink::~OlaSink() { retire(); }

void OlaSink::apply(const OutputSettings& s) {
    if (shared_->universe.exchange(s.ola_universe) != s.ola_universe) resend_ = true;
}

void OlaSink::take(const SinkFrame& f) {
    const uint64_t sent = shared_->sent.load(std::memory_order_relaxed);
    if (sent != sent_seen_ || !shared_->handoff.pending()) {
        sent_seen_ = sent;
        last_sent_ = f.now;
    }
    stuck_ = f.now - last_sent_ >= kStuck;
    const bool due = resend_ || !handed_ || f.now - last_handed_ >= kRepeat ||
                     std::memcmp(f.slots, last_.data(), last_.size()) != 0;
    if (!due) return;
    std::memcpy(last_.data(), f.slots, last_.size());
    if (shared_->status.load(std::memory_order_relaxed) == OutputStatus::ok && shared_->handoff.pending()) ++dropped_;
    shared_->handoff.put(f.slots);
    handed_ = true;
    resend_ = false;
    last_handed_ = f.now;
}

}  // namespace prismel::artnet
