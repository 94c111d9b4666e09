#include "remote/udp_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>


namespace prismel::remote {

namespace {

std::string error_with(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

void close_once(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

constexpr size_t kLargestDatagram = 65535;
// Datagrams read in one pass before the tick is looked at again.
constexpr int kDatagramsPerPass = 256;

}  // namespace

bool UdpListener::start(uint16_t port, SenderAllow allow, Receive on_datagram, Tick on_tick,
                        const char* thread_name, std::string& error) {
    stop();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_UDP);
    if (fd < 0) {
        error = error_with("socket");
        return false;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t len = sizeof sa;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
        error = error_with("bind");
        ::close(fd);
        return false;
    }
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = error_with("pipe");
        ::close(fd);
        return false;
    }
    fd_ = fd;
    port_ = ntohs(sa.sin_port);
    allow_ = std::move(allow);
    on_datagram_ = std::move(on_datagram);
    on_tick_ = std::move(on_tick);
    thread_name_ = thread_name ? thread_name : "prismel-udp";
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void UdpListener::stop() {
    if (thread_.joinable()) {
        stopping_ = true;
        const char byte = 0;
        (void)!::write(wake_[1], &byte, 1);
        thread_.join();
    }
    close_once(fd_);
    close_once(wake_[0]);
    close_once(wake_[1]);
}

void UdpListener::send_to(const UdpPeer& to, const uint8_t* data, size_t size) const {
    if (fd_ < 0) return;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(to.port);
    sa.sin_addr.s_addr = htonl(to.address);
    (void)::sendto(fd_, data, size, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
}

void UdpListener::run() {
    // Tools show it by name (top -H); the system keeps 15 bytes.
    (void)pthread_setname_np(pthread_self(), thread_name_.substr(0, 15).c_str());
    using clock = std::chrono::steady_clock;
    const auto interval = std::chrono::milliseconds(kTickMilliseconds);
    auto next_tick = clock::now() + interval;
    std::vector<uint8_t> buffer(kLargestDatagram);
    while (!stopping_) {
        const auto now = clock::now();
        if (now >= next_tick) {
            if (on_tick_) on_tick_();
            next_tick = now + interval;
        }
        const int wait =
            int(std::chrono::duration_cast<std::chrono::milliseconds>(next_tick - now).count()) + 1;
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, wait) <= 0 || !(fds[0].revents & POLLIN)) continue;
        for (int n = 0; n < kDatagramsPerPass && !stopping_; ++n) {
            sockaddr_in from{};
            socklen_t from_len = sizeof from;
            const ssize_t got = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                           reinterpret_cast<sockaddr*>(&from), &from_len);
            if (got < 0) {
                if (errno == EINTR) continue;
                break;  // nothing more waiting (or an error the next poll sees again)
            }
            const UdpPeer peer{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
            if (!allow_.allows(peer.address)) {
                refused_.fetch_add(1, std::memory_order_relaxed);
                continue;
            }
            received_.fetch_add(1, std::memory_order_relaxed);
            on_datagram_(buffer.data(), size_t(got), peer);
        }
    }
}

std::string address_text(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 0xFF) + "." +
           std::to_string(address >> 8 & 0xFF) + "." + std::to_string(address & 0xFF);
}

}  // namespace prismel::remote
