#pragma once
// Where the USB widget is: the device the operator named, or the first of the
// machine's USB serial devices that answers the serial-number request. The
// remote GO port is never opened, and no other device is.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "output/serial_port.h"

namespace prismel::usbpro {

struct FoundWidget {
    std::unique_ptr<SerialPort> port;  // nullptr: none found
    std::string path;
    std::optional<uint32_t> serial;  // the answer of a probed widget
    std::string error;               // why a named device could not be used
};

// How long a probed device has to answer.
constexpr std::chrono::milliseconds kAnswerWait{250};

// The devices that were opened and did not answer: each is asked once, not
// every second (opening a serial device may reset what is behind it), until
// it is unplugged and plugged in again.
using SilentDevices = std::set<std::string>;

// named: a device path, or empty to probe. avoid: the remote GO port's
// path, or empty. pause sleeps a moment and returns false when the search
// should give up (the output is stopping).
FoundWidget find_widget(SerialDevices& devices, const std::string& named, const std::string& avoid,
                        const std::function<bool(std::chrono::milliseconds)>& pause, SilentDevices& silent);

// Asks an open device for its serial number and waits up to kAnswerWait for
// the answer; garbage and other messages are skipped.
std::optional<uint32_t> ask_serial_number(SerialPort& port,
                                          const std::function<bool(std::chrono::milliseconds)>& pause);

}  // namespace prismel::usbpro
