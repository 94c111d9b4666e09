#include "output/usbpro_sink.h"

#include <cstring>

#include "output/usbpro_finder.h"

namespace prismel::usbpro {

using artnet::OutputStatus;
using std::chrono::milliseconds;

UsbProSink::UsbProSink(std::shared_ptr<SerialDevices> devices, std::string device, std::string avoid)
    : device_(std::move(device)) {
    side_.start("usbpro", [shared = shared_, devices = std::move(devices), named = device_,
                           avoid = std::move(avoid)](artnet::SideThread::Control& control) {
        auto pause = [&control](milliseconds d) { return control.pause(d); };
        SilentDevices silent;
        do {
            std::vector<std::unique_ptr<SerialPort>> lost;
            {
                std::lock_guard lock(shared->mutex);
                lost.swap(shared->lost);
            }
            lost.clear();  // closed here, off the loop
            if (!shared->wanted.load() || shared->has_offer.load()) continue;
            FoundWidget found = find_widget(*devices, named, avoid, pause, silent);
            if (!found.port) continue;
            std::lock_guard lock(shared->mutex);
            shared->offered = std::move(found.port);
            shared->offered_path = found.path;
            shared->has_offer.store(true);
        } while (control.pause(kLookAgain));
        std::lock_guard lock(shared->mutex);
        shared->offered.reset();
        shared->lost.clear();
    });
}

UsbProSink::~UsbProSink() { retire(); }

void UsbProSink::retire() {
    if (port_) lost_ = std::move(port_);
    hand_back_lost();
    side_.request_stop();
}

// Taken only when free: the loop never waits for the side thread.
void UsbProSink::adopt_offered() {
    if (port_ || !shared_->has_offer.load()) return;
    std::unique_lock lock(shared_->mutex, std::try_to_lock);
    if (!lock || !shared_->offered) return;
    port_ = std::move(shared_->offered);
    path_ = shared_->offered_path;
    shared_->has_offer.store(false);
    shared_->wanted.store(false);
    written_ = kDmxMessageSize;
    begun_ = false;
    stalled_ = false;
}

void UsbProSink::hand_back_lost() {
    if (!lost_) return;
    std::unique_lock lock(shared_->mutex, std::try_to_lock);
    if (!lock) return;
    shared_->lost.push_back(std::move(lost_));
    shared_->wanted.store(true);
}

void UsbProSink::lose_port() {
    lost_ = std::move(port_);
    hand_back_lost();
}

// Writes what the port takes of the message begun; true when it is whole.
bool UsbProSink::finish_message() {
    if (written_ == kDmxMessageSize) return true;
    const long n = port_->write_some(message_.data() + written_, kDmxMessageSize - written_);
    if (n < 0) {
        lose_port();
        return false;
    }
    written_ += size_t(n);
    return written_ == kDmxMessageSize;
}

void UsbProSink::take(const artnet::SinkFrame& f) {
    hand_back_lost();
    adopt_offered();
    if (!port_) return;
    const bool due = resend_ || !begun_ || f.now - last_begun_ >= kRepeat ||
                     std::memcmp(f.slots, last_.data(), kSlots) != 0;
    const bool whole = finish_message();
    if (!port_ || !due) return;
    // A message still in part, or one still waiting in the system beside
    // this one, would make this frame late: the next one replaces it.
    if (!whole || port_->queued() >= long(kDmxMessageSize)) {
        ++dropped_;
        stalled_ = f.now - last_begun_ >= kStalled;
        return;
    }
    build_dmx(message_, f.slots);
    std::memcpy(last_.data(), f.slots, kSlots);
    begun_ = true;
    resend_ = false;
    stalled_ = false;
    last_begun_ = f.now;
    written_ = 0;
    finish_message();
}

OutputStatus UsbProSink::state() const { return port_ && !stalled_ ? OutputStatus::ok : OutputStatus::no_device; }

std::string UsbProSink::where() const { return port_ ? path_ : device_; }

}  // namespace prismel::usbpro
