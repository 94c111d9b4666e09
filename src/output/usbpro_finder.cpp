#include "output/usbpro_finder.h"

#include "output/usbpro_message.h"

namespace prismel::usbpro {

namespace {

constexpr std::chrono::milliseconds kReadStep{10};

}  // namespace

std::optional<uint32_t> ask_serial_number(SerialPort& port,
                                          const std::function<bool(std::chrono::milliseconds)>& pause) {
    size_t written = 0;
    MessageReader reader;
    uint8_t buf[256];
    for (auto waited = std::chrono::milliseconds(0); waited <= kAnswerWait; waited += kReadStep) {
        if (written < kSerialNumberRequest.size()) {
            const long n = port.write_some(kSerialNumberRequest.data() + written, kSerialNumberRequest.size() - written);
            if (n < 0) return std::nullopt;
            written += size_t(n);
        }
        std::optional<uint32_t> serial;
        for (long n; !serial && (n = port.read_some(buf, sizeof buf)) != 0;) {
            if (n < 0) return std::nullopt;
            reader.feed(buf, size_t(n), [&](const MessageReader& m) {
                if (!serial) serial = serial_number_of(m);
            });
        }
        if (serial) return serial;
        if (!pause(kReadStep)) return std::nullopt;
    }
    return std::nullopt;
}

FoundWidget find_widget(SerialDevices& devices, const std::string& named, const std::string& avoid,
                        const std::function<bool(std::chrono::milliseconds)>& pause, SilentDevices& silent) {
    FoundWidget found;
    const std::string remote = avoid.empty() ? std::string() : devices.identity(avoid);
    if (!named.empty()) {
        if (!remote.empty() && devices.identity(named) == remote) {
            found.error = named + ": the remote GO port";
            return found;
        }
        found.port = devices.open(named, found.error);
        if (found.port) found.path = named;
        return found;
    }
    const std::vector<std::string> paths = devices.usb_serial_devices();
    SilentDevices listed;
    for (const std::string& path : paths) listed.insert(devices.identity(path));
    std::erase_if(silent, [&](const std::string& id) { return !listed.count(id); });  // unplugged
    for (const std::string& path : paths) {
        const std::string id = devices.identity(path);
        if ((!remote.empty() && id == remote) || silent.count(id)) continue;
        std::string error;
        std::unique_ptr<SerialPort> port = devices.open(path, error);
        if (!port) continue;  // busy, or not ours yet: asked again next time
        found.serial = ask_serial_number(*port, pause);
        if (found.serial) {
            found.port = std::move(port);
            found.path = path;
            break;
        }
        if (!pause(std::chrono::milliseconds(0))) break;  // cut short: not an answer missed
        silent.insert(id);
    }
    return found;
}

}  // namespace prismel::usbpro
