// The Art-Net socket on POSIX systems.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "output/system_network.h"

namespace prismel::artnet {

namespace {

class PosixUdpSocket final : public UdpSocket {
public:
    explicit PosixUdpSocket(int fd) : fd_(fd) {}
    ~PosixUdpSocket() override { ::close(fd_); }

    void send_to(const Ipv4& to, uint16_t port, const uint8_t* data, size_t n) override {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        std::memcpy(&sa.sin_addr, to.b.data(), 4);
        // Send errors are not looked at: the next frame tries again.
        (void)::sendto(fd_, data, n, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }

    long receive(uint8_t* buf, size_t cap) override {
        for (;;) {
            ssize_t got = ::recv(fd_, buf, cap, MSG_DONTWAIT);
            if (got >= 0) return long(got);
            if (errno == EINTR) continue;
            return -1;
        }
    }

private:
    int fd_;
};

std::string error_with(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::unique_ptr<UdpSocket> open_posix_udp_socket(uint16_t port, std::string& error) {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) {
        error = error_with("socket");
        return nullptr;
    }
    int on = 1;
    // Broadcasting must be allowed explicitly; SO_DONTROUTE keeps every packet
    // on the directly connected network, never through a gateway.
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        ::setsockopt(fd, SOL_SOCKET, SO_DONTROUTE, &on, sizeof on) != 0) {
        error = error_with("setsockopt");
        ::close(fd);
        return nullptr;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        error = error_with("bind");
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixUdpSocket>(fd);
}

}  // namespace prismel::artnet
