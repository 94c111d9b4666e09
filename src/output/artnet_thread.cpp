#include "output/artnet_thread.h"

#include <cstring>

#include "output/artnet_receive.h"
#include "output/network_setup.h"
#include "output/thread_scheduling.h"
#include "platform/text_codec.h"

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

TArtnetThread::TArtnetThread() : TArtnetThread(make_system_network(), make_monotonic_clock()) {}

TArtnetThread::TArtnetThread(std::unique_ptr<Network> network, std::unique_ptr<LoopClock> clock)
    : network_(std::move(network)), clock_(std::move(clock)) {
    set_up();
}

TArtnetThread::~TArtnetThread() {
    terminate();
    join();
    clean_up();
}

void TArtnetThread::set_up() {
    AddressChoice choice = choose_address(network_->local_addresses());
    own_ = choice.own;
    Ipv4 mask = choice.mask;
    if (choice.needs_alias) {
        std::string error;
        if (network_->add_address(choice.alias, error)) {
            alias_ = choice.alias;
            alias_added_ = true;
            own_ = alias_.address;
            mask = prefix_mask(alias_.prefix);
        } else {
            error_text_ = error;
        }
    }
    broadcast_ = directed_broadcast(own_, mask);
    own_address_text_ = dotted(own_);

    build_poll(poll_);
    build_dmx(dmx_);
    build_reply(reply_, own_);

    std::string error;
    socket_ = network_->open_socket(kUdpPort, error);
    if (!socket_) {
        error_text_ = std::string(sj("ソケットの初期化に失敗しました")) + " (" + error + ")";
        return;
    }
    socket_ready_.store(true);
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

void TArtnetThread::send_frame(bool forced) {
    if (!forced && std::memcmp(frame_.data(), dmx_data(dmx_), frame_.size()) == 0) return;
    set_dmx_universe(dmx_, tx_universe.load(std::memory_order_relaxed));
    std::memcpy(dmx_data(dmx_), frame_.data(), frame_.size());
    socket_->send_to(broadcast_, kUdpPort, dmx_.data(), dmx_.size());
}

void TArtnetThread::receive_pending() {
    for (int i = 0; i < kMaxDatagramsPerPass; ++i) {
        long n = socket_->receive(receive_buffer_.data(), receive_buffer_.size());
        if (n < 0) return;
        ReceiveContext ctx{nodes, tx_universe.load(std::memory_order_relaxed),
                           receive_universe.load(std::memory_order_relaxed)};
        if (handle_datagram(receive_buffer_.data(), size_t(n), ctx) == Received::poll) {
            set_reply_counter(reply_, replies_sent_++);
            socket_->send_to(broadcast_, kUdpPort, reply_.data(), reply_.size());
        }
    }
}

void TArtnetThread::execute(bool raise_priority) {
    name_current_thread("artnet");
    if (raise_priority) (void)raise_output_thread_scheduling();
    const bool ready = socket_ready_.load();
    nanoseconds now = clock_->now();
    nanoseconds frame_due = now + kPeriod;
    nanoseconds poll_due = now + kPollInterval;
    unsigned frame_counter = 0;
    if (ready) send_frame(true);
    while (!terminated_.load()) {
        clock_->sleep_until(frame_due);
        if (terminated_.load()) break;
        now = clock_->now();
        frame_due = next_deadline(frame_due, now, kPeriod);
        ++frame_counter;
        bool forced = frame_counter % kKeepAliveFrames == 0;
        if (step_hook_) step_hook_(frame_.data());
        if (!ready) continue;
        send_frame(forced);
        receive_pending();
        if (now >= poll_due) {
            send_poll();
            poll_due = next_deadline(poll_due, now, kPollInterval);
        }
    }
    clean_up();
}

void TArtnetThread::clean_up() {
    if (cleaned_up_) return;
    cleaned_up_ = true;
    {
        std::lock_guard lock(socket_mutex_);
        socket_ready_.store(false);
        socket_.reset();
    }
    if (alias_added_) {
        std::string error;
        if (!network_->remove_address(alias_, error)) error_text_ = error;
        alias_added_ = false;
    }
}

}  // namespace prismel::artnet
