#include "output/artnet_thread.h"

#include <cstring>

#include "output/artnet_receive.h"
#include "output/sacn_packets.h"
#include "output/thread_scheduling.h"

namespace prismel::artnet {

namespace {

using std::chrono::nanoseconds;

// The first deadline after now on the grid of deadline + k * period, so that
// a late wake-up neither drifts the grid nor sends the missed frames in a burst.
nanoseconds next_deadline(nanoseconds deadline, nanoseconds now, nanoseconds period) {
    deadline += period;
    if (deadline <= now) deadline += ((now - deadline) / period + 1) * period;
    return deadline;
}

}  // namespace

TArtnetThread::TArtnetThread() : TArtnetThread(OutputSettings{}) {}

TArtnetThread::TArtnetThread(const OutputSettings& settings)
    : TArtnetThread(make_system_network(), make_monotonic_clock(), settings) {}

TArtnetThread::TArtnetThread(std::unique_ptr<Network> network, std::unique_ptr<LoopClock> clock,
                             const OutputSettings& settings)
    : network_(std::move(network)), clock_(std::move(clock)), requested_(settings) {
    build_poll(poll_);
    build_dmx(dmx_);
    configure(settings);
    force_next_ = false;  // the loop sends its first frame anyway
}

TArtnetThread::~TArtnetThread() {
    terminate();
    join();
    clean_up();
}

bool TArtnetThread::start(bool raise_priority) {
    if (started_) return false;
    started_ = true;
    thread_ = std::thread([this, raise_priority] { execute(raise_priority); });
    return true;
}

void TArtnetThread::join() {
    if (thread_.joinable()) thread_.join();
}

void TArtnetThread::send_poll() {
    std::lock_guard lock(socket_mutex_);
    if (!socket_ready_.load() || !socket_) return;
    socket_->send_to(broadcast_, kUdpPort, poll_.data(), poll_.size());
}

// The loop owns the sockets once it runs: it reads them without the lock.
void TArtnetThread::send_outputs(bool forced) {
    if (!socket_ready_.load()) return;
    const bool force_next = force_next_;
    force_next_ = false;
    if (socket_) send_artnet(forced || force_next);
    if (sacn_socket_) send_sacn(force_next);
}

void TArtnetThread::send_artnet(bool forced) {
    if (!forced && std::memcmp(frame_.data(), dmx_data(dmx_), frame_.size()) == 0) return;
    const int universe = tx_universe.load(std::memory_order_relaxed) & 0x7FFF;
    set_dmx_universe(dmx_, universe);
    std::memcpy(dmx_data(dmx_), frame_.data(), frame_.size());
    if (settings_.delivery == Delivery::unicast) {
        const UnicastTargets targets = nodes.unicast_targets(universe);
        for (int i = 0; i < targets.count; ++i)
            socket_->send_to(targets.to[size_t(i)], kUdpPort, dmx_.data(), dmx_.size());
        if (targets.count > 0) return;
    }
    socket_->send_to(broadcast_, kUdpPort, dmx_.data(), dmx_.size());
}

void TArtnetThread::send_sacn(bool forced) {
    const auto universe = uint16_t(sacn_universe_of(settings_, tx_universe.load(std::memory_order_relaxed)));
    if (sacn_.started() && sacn_.universe() != universe) end_sacn_stream();
    if (!sacn_.started()) sacn_.start(settings_.cid, universe);
    if (const sacn::DataPacket* p = sacn_.frame(frame_.data(), forced))
        sacn_socket_->send_to(sacn::multicast_group(universe), sacn::kPort, p->data(), p->size());
}

// A receiver stops waiting for a stream that says it ended.
void TArtnetThread::end_sacn_stream() {
    if (!sacn_.started()) return;
    if (socket_ready_.load() && sacn_socket_) {
        const Ipv4 group = sacn::multicast_group(sacn_.universe());
        for (int i = 0; i < sacn::Stream::kTerminatePackets; ++i) {
            const sacn::DataPacket& p = sacn_.terminate_packet();
            sacn_socket_->send_to(group, sacn::kPort, p.data(), p.size());
        }
    }
    sacn_.stop();
}

void TArtnetThread::send_discovery() {
    if (!socket_ready_.load() || !sacn_socket_) return;
    const auto universe = uint16_t(sacn_universe_of(settings_, tx_universe.load(std::memory_order_relaxed)));
    sacn::build_discovery(discovery_, settings_.cid, universe);
    sacn_socket_->send_to(sacn::multicast_group(sacn::kDiscoveryUniverse), sacn::kPort, discovery_.data(),
                          discovery_.size());
}

void TArtnetThread::receive_pending(nanoseconds now) {
    if (!socket_ready_.load() || !socket_) return;
    for (int i = 0; i < kMaxDatagramsPerPass; ++i) {
        long n = socket_->receive(receive_buffer_.data(), receive_buffer_.size());
        if (n < 0) return;
        ReceiveContext ctx{nodes, tx_universe.load(std::memory_order_relaxed),
                           receive_universe.load(std::memory_order_relaxed), now};
        if (handle_datagram(receive_buffer_.data(), size_t(n), ctx) == Received::poll) {
            set_reply_counter(reply_, replies_sent_++);
            socket_->send_to(broadcast_, kUdpPort, reply_.data(), reply_.size());
        }
    }
}

void TArtnetThread::execute(bool raise_priority) {
    name_current_thread("artnet");
    if (raise_priority) (void)raise_output_thread_scheduling();
    nanoseconds now = clock_->now();
    nanoseconds frame_due = now + kPeriod;
    nanoseconds poll_due = now + kPollInterval;
    nanoseconds discovery_due = now + kDiscoveryInterval;
    unsigned frame_counter = 0;
    if (step_first_ && step_hook_) step_hook_(frame_.data());
    send_outputs(true);
    // Unicast waits for the nodes' answers: ask at once rather than in 2 s.
    if (settings_.delivery == Delivery::unicast) send_poll();
    send_discovery();
    while (!terminated_.load()) {
        clock_->sleep_until(frame_due);
        if (terminated_.load()) break;
        now = clock_->now();
        frame_due = next_deadline(frame_due, now, kPeriod);
        ++frame_counter;
        bool forced = frame_counter % kKeepAliveFrames == 0;
        if (step_hook_) step_hook_(frame_.data());
        send_outputs(forced);
        receive_pending(now);
        if (now >= poll_due) {
            nodes.expire(now, kNodeMaxAge);
            send_poll();
            poll_due = next_deadline(poll_due, now, kPollInterval);
        }
        if (now >= discovery_due) {
            send_discovery();
            discovery_due = next_deadline(discovery_due, now, kDiscoveryInterval);
        }
        if (!settings_.interface.empty() && frame_counter % kInterfaceCheckFrames == 0) check_interface();
        take_new_settings();
    }
    end_sacn_stream();
    clean_up();
}

void TArtnetThread::clean_up() {
    if (cleaned_up_) return;
    cleaned_up_ = true;
    release_output();
}

}  // namespace prismel::artnet
