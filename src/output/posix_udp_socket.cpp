// The output sockets on POSIX systems.
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

    long receive_from(uint8_t* buf, size_t cap, Ipv4& from) override {
        for (;;) {
            sockaddr_in sa{};
            socklen_t len = sizeof sa;
            ssize_t got = ::recvfrom(fd_, buf, cap, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&sa), &len);
            if (got >= 0) {
                std::memcpy(from.b.data(), &sa.sin_addr, 4);
                return long(got);
            }
            if (errno == EINTR) continue;
            return -1;
        }
    }

private:
    int fd_;
};

std::string error_with(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool set_option(int fd, int level, int name, const void* value, socklen_t size, const char* what,
                std::string& error) {
    if (::setsockopt(fd, level, name, value, size) == 0) return true;
    error = error_with(what);
    return false;
}

// The options a setup asks for; false and error set when one is refused.
bool apply_setup(int fd, const SocketSetup& setup, std::string& error) {
    int on = 1;
    if (!setup.device.empty()) {
        // Every datagram leaves and arrives through this interface only,
        // whatever the routes say; two interfaces on one subnet stay apart.
        if (!set_option(fd, SOL_SOCKET, SO_BINDTODEVICE, setup.device.c_str(), socklen_t(setup.device.size()),
                        "SO_BINDTODEVICE", error))
            return false;
    }
    if (setup.broadcast) {
        // Broadcasting must be allowed explicitly; SO_DONTROUTE keeps every
        // packet on the directly connected network, never through a gateway.
        if (!set_option(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on, "SO_BROADCAST", error) ||
            !set_option(fd, SOL_SOCKET, SO_DONTROUTE, &on, sizeof on, "SO_DONTROUTE", error))
            return false;
    }
    if (setup.multicast) {
        ip_mreqn via{};
        std::memcpy(&via.imr_address, setup.multicast_address.b.data(), 4);
        via.imr_ifindex = int(setup.multicast_if);
        // One hop: a lighting network is one link, and the universe stays on it.
        const int ttl = 1;
        const int loop = 0;
        if (!set_option(fd, IPPROTO_IP, IP_MULTICAST_IF, &via, sizeof via, "IP_MULTICAST_IF", error) ||
            !set_option(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl, "IP_MULTICAST_TTL", error) ||
            !set_option(fd, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop, "IP_MULTICAST_LOOP", error))
            return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<UdpSocket> open_posix_udp_socket(const SocketSetup& setup, std::string& error) {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0) {
        error = error_with("socket");
        return nullptr;
    }
    if (!apply_setup(fd, setup, error)) {
        ::close(fd);
        return nullptr;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(setup.port);
    sa.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        error = error_with("bind");
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixUdpSocket>(fd);
}

}  // namespace prismel::artnet
