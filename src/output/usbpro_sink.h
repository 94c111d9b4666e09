#pragma once
// The frame to a USB DMX widget ("USB Pro" messages, label 6), when it
// changed and at least once a second (the widget repeats the last frame by
// itself). The output thread only writes, never waiting: a message is
// written whole or not at all (the rest of one the port took in part goes
// before anything newer), and a frame that finds the port still busy is
// dropped, counted, and replaced by the next; a widget that has taken no
// frame for two seconds shows as missing until it takes one again. Finding,
// opening and closing
// the device happen on a side thread, which looks again once a second while
// there is no widget (none found, or unplugged).
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "output/dmx_sink.h"
#include "output/serial_port.h"
#include "output/side_thread.h"
#include "output/usbpro_message.h"

namespace prismel::usbpro {

class UsbProSink final : public artnet::DmxSink {
public:
    static constexpr std::chrono::seconds kRepeat{1};
    static constexpr std::chrono::seconds kLookAgain{1};
    static constexpr std::chrono::seconds kStalled{2};

    // device: the setting (empty: probe the USB serial devices); avoid: the
    // remote GO port, never opened.
    UsbProSink(std::shared_ptr<SerialDevices> devices, std::string device, std::string avoid);
    ~UsbProSink() override;

    artnet::Protocol kind() const override { return artnet::Protocol::usbpro; }
    void take(const artnet::SinkFrame& f) override;
    void resend() override { resend_ = true; }
    artnet::OutputStatus state() const override;
    std::string where() const override;
    uint64_t dropped() const override { return dropped_; }
    void retire() override;
    bool idle() const override { return side_.finished(); }

    // What the loop and the side thread share: a port found and offered to
    // the loop, and ports the loop lost, for the side thread to close.
    struct Shared {
        std::mutex mutex;
        std::unique_ptr<SerialPort> offered;
        std::string offered_path;
        std::vector<std::unique_ptr<SerialPort>> lost;
        std::atomic<bool> has_offer{false};
        std::atomic<bool> wanted{true};  // the loop has no port: look for one
    };

private:
    void adopt_offered();
    bool finish_message();
    void lose_port();
    void hand_back_lost();

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    artnet::SideThread side_;
    std::string device_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<SerialPort> lost_;  // waits for the side thread to take it
    std::string path_;
    DmxMessage message_{};
    size_t written_ = kDmxMessageSize;  // bytes of message_ the port has taken
    std::array<uint8_t, kSlots> last_{};  // the slots of the last message begun
    bool begun_ = false;                  // a message has been begun on this port
    bool resend_ = true;
    bool stalled_ = false;  // frames were due and none could begin for kStalled
    std::chrono::nanoseconds last_begun_{};
    uint64_t dropped_ = 0;
};

}  // namespace prismel::usbpro
