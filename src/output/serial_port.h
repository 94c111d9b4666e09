#pragma once
// What the USB widget output needs of the machine's serial devices, behind
// interfaces so that a test can stand a pseudo-terminal in for a widget.
#include <memory>
#include <string>
#include <vector>

namespace prismel::usbpro {

// An open serial device. Nothing here waits.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Writes what the device takes now: the count taken (0: nothing now), or
    // -1 when the device is gone.
    virtual long write_some(const uint8_t* data, size_t n) = 0;
    // Reads what has arrived: the count (0: nothing), or -1 when it is gone.
    virtual long read_some(uint8_t* buf, size_t cap) = 0;
    // Bytes written that the system still holds for the device; 0 where it
    // does not say.
    virtual long queued() = 0;
};

class SerialDevices {
public:
    virtual ~SerialDevices() = default;
    // Opens a device for this program alone, without waiting and in raw mode
    // (no byte translated); nullptr with error set when it cannot.
    virtual std::unique_ptr<SerialPort> open(const std::string& path, std::string& error) = 0;
    // The machine's USB serial devices, each once, stable names first.
    virtual std::vector<std::string> usb_serial_devices() = 0;
    // The device a path names (links followed), to tell two paths of one
    // device apart from two devices; the path itself when it names nothing.
    virtual std::string identity(const std::string& path) = 0;
};

// The USB serial devices: /dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*.
constexpr const char* kUsbSerialPatterns[] = {"/dev/serial/by-id/*", "/dev/ttyUSB*", "/dev/ttyACM*"};

// The machine's devices, found by the given file-name patterns.
std::shared_ptr<SerialDevices> make_system_serial_devices(std::vector<std::string> patterns = {
                                                              std::begin(kUsbSerialPatterns),
                                                              std::end(kUsbSerialPatterns)});

}  // namespace prismel::usbpro
