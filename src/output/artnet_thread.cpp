#include "output/artnet_thread.h"

#include <cstring>

#include "output/artnet_receive.h"
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
                             const OutputSettings& settings, DeviceOutputs devices)
    : network_(std::move(network)), clock_(std::move(clock)), requested_(settings), devices_(std::move(devices)) {
    build_poll(poll_);
    configure(settings);
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

void TArtnetThread::receive_pending(nanoseconds now) {
    if (!socket_ready_.load() || !socket_) return;
    const uint32_t watched = watched_.load(std::memory_order_relaxed);
    for (int i = 0; i < kMaxDatagramsPerPass; ++i) {
        Ipv4 from;
        long n = socket_->receive_from(receive_buffer_.data(), receive_buffer_.size(), from);
        if (n < 0) return;
        if (watched != 0 && from.value() == watched && datagram_opcode(receive_buffer_.data(), size_t(n)) == kOpDmx)
            watched_count_.fetch_add(1, std::memory_order_relaxed);
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
    // After an unexpected end the restored look goes out in the very first
    // frame; a clean start sends the idle frame first, as it always has.
    if (step_first_ && step_hook_) step_hook_(frame_.data());
    hand_out(frame_counter, now);
    // Unicast waits for the nodes' answers: ask at once rather than in 2 s.
    if (settings_.delivery == Delivery::unicast) send_poll();
    send_discovery();
    while (!terminated_.load()) {
        clock_->sleep_until(frame_due);
        if (terminated_.load()) break;
        now = clock_->now();
        frame_due = next_deadline(frame_due, now, kPeriod);
        ++frame_counter;
        if (step_hook_) step_hook_(frame_.data());
        hand_out(frame_counter, now);
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
        if (frame_counter % kReportFrames == 0) {
            reap_retired();
            publish_reports();
        }
        take_new_settings();
    }
    for (auto& sink : sinks_) sink->silence();
    clean_up();
}

void TArtnetThread::clean_up() {
    if (cleaned_up_) return;
    cleaned_up_ = true;
    close_sinks();
    release_output();
}

}  // namespace prismel::artnet
