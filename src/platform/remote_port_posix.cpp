#ifndef _WIN32
#include "platform/remote_port_posix.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace prismel {

PosixRemotePort::~PosixRemotePort() { close(); }

bool PosixRemotePort::open() {
    if (fd_ >= 0) return true;
    // Non-blocking, so a port without carrier does not hold the open; no
    // controlling terminal, since nothing is read from it.
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return fd_ >= 0;
}

void PosixRemotePort::raise_rts() {
    if (fd_ < 0) return;
    int rts = TIOCM_RTS;
    (void)::ioctl(fd_, TIOCMBIS, &rts);
}

bool PosixRemotePort::read_status(uint32_t& status) {
    if (fd_ < 0) return false;
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0) return false;
    status = modem_status_of_tiocm(lines);
    return true;
}

void PosixRemotePort::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

uint32_t modem_status_of_tiocm(int lines) {
    uint32_t status = 0;
    if (lines & TIOCM_CAR) status |= kModemCarrierDetect;
    if (lines & TIOCM_RNG) status |= kModemRing;
    return status;
}

std::string remote_port_device() {
    const char* named = std::getenv("PRISMEL_REMOTE_PORT");
    if (named && std::strcmp(named, "none") == 0) return {};
    return named && *named ? named : "/dev/ttyS0";
}

RemotePort& system_remote_port() {
    const std::string device = remote_port_device();
    if (device.empty()) return no_remote_port();
    static PosixRemotePort port(device);
    return port;
}

}  // namespace prismel
#endif
