// The machine's serial devices on POSIX systems.
#ifndef _WIN32
#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>

#include "output/serial_port.h"

namespace prismel::usbpro {

namespace {

class PosixSerialPort final : public SerialPort {
public:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    // Whatever is still queued is dropped first: closing a serial device
    // otherwise waits for it to drain.
    ~PosixSerialPort() override {
        ::tcflush(fd_, TCIOFLUSH);
        ::close(fd_);
    }
    long write_some(const uint8_t* data, size_t n) override {
        const ssize_t w = ::write(fd_, data, n);
        if (w >= 0) return long(w);
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    }
    long read_some(uint8_t* buf, size_t cap) override {
        const ssize_t r = ::read(fd_, buf, cap);
        if (r >= 0) return long(r);
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    }
    long queued() override {
        int n = 0;
        return ::ioctl(fd_, TIOCOUTQ, &n) == 0 && n > 0 ? n : 0;
    }

private:
    int fd_;
};

class PosixSerialDevices final : public SerialDevices {
public:
    explicit PosixSerialDevices(std::vector<std::string> patterns) : patterns_(std::move(patterns)) {}

    std::unique_ptr<SerialPort> open(const std::string& path, std::string& error) override {
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            error = path + ": " + std::strerror(errno);
            return nullptr;
        }
        auto fail = [&](const char* what) {
            error = path + ": " + what;
            ::close(fd);
            return nullptr;
        };
        if (!::isatty(fd)) return fail("not a serial device");
        // Another program (or another copy of the console) that locks it the
        // same way keeps it; TIOCEXCL keeps out any later open.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail("in use");
        if (::ioctl(fd, TIOCEXCL) != 0) return fail(std::strerror(errno));
        termios t{};
        if (::tcgetattr(fd, &t) != 0) return fail(std::strerror(errno));
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cflag &= ~tcflag_t(CRTSCTS);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        ::cfsetispeed(&t, B115200);
        ::cfsetospeed(&t, B115200);
        if (::tcsetattr(fd, TCSANOW, &t) != 0) return fail(std::strerror(errno));
        ::tcflush(fd, TCIOFLUSH);
        return std::make_unique<PosixSerialPort>(fd);
    }

    std::vector<std::string> usb_serial_devices() override {
        std::vector<std::string> out;
        std::set<std::string> seen;
        for (const std::string& pattern : patterns_) {
            glob_t g{};
            if (::glob(pattern.c_str(), 0, nullptr, &g) == 0) {
                for (size_t i = 0; i < g.gl_pathc; ++i) {
                    const std::string path = g.gl_pathv[i];
                    struct stat st{};
                    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) continue;
                    if (seen.insert(identity(path)).second) out.push_back(path);
                }
            }
            ::globfree(&g);
        }
        return out;
    }

    std::string identity(const std::string& path) override {
        char resolved[PATH_MAX];
        return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
    }

private:
    std::vector<std::string> patterns_;
};

}  // namespace

std::shared_ptr<SerialDevices> make_system_serial_devices(std::vector<std::string> patterns) {
    return std::make_shared<PosixSerialDevices>(std::move(patterns));
}

}  // namespace prismel::usbpro
#else
#include "output/serial_port.h"

namespace prismel::usbpro {

namespace {

// No serial devices are reached on this system yet: the widget output says
// it has no device.
class NoSerialDevices final : public SerialDevices {
public:
    std::unique_ptr<SerialPort> open(const std::string& path, std::string& error) override {
        error = path + ": serial devices are not supported here";
        return nullptr;
    }
    std::vector<std::string> usb_serial_devices() override { return {}; }
    std::string identity(const std::string& path) override { return path; }
};

}  // namespace

std::shared_ptr<SerialDevices> make_system_serial_devices(std::vector<std::string>) {
    return std::make_shared<NoSerialDevices>();
}

}  // namespace prismel::usbpro
#endif
