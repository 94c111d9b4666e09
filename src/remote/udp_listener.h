#pragma once
// A UDP port the remotes listen on: a socket on every IPv4 address of the
// machine and a thread of its own that hands each datagram from an allowed
// sender to a handler. It only moves bytes; what they mean is the handler's.
// The handler runs on the listener's thread (never the output thread) and
// may act on the engine there.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "remote/sender_allow.h"

namespace prismel::remote {

struct UdpPeer {
    uint32_t address = 0;  // host order
    uint16_t port = 0;
    friend bool operator==(const UdpPeer&, const UdpPeer&) = default;
};

class UdpListener {
public:
    using Receive = std::function<void(const uint8_t* data, size_t size, const UdpPeer& from)>;
    // Called on the listener's thread about every kTickMilliseconds, also while
    // datagrams keep arriving.
    using Tick = std::function<void()>;
    static constexpr int kTickMilliseconds = 20;

    UdpListener() = default;
    ~UdpListener() { stop(); }
    UdpListener(const UdpListener&) = delete;
    UdpListener& operator=(const UdpListener&) = delete;

    // Binds the port (0: any free one) and starts the thread. False, with the
    // system's reason in error, when the port cannot be had.
    bool start(uint16_t port, SenderAllow allow, Receive on_datagram, Tick on_tick, const char* thread_name,
               std::string& error);
    // Ends the thread and closes the socket; nothing is handed on afterwards.
    void stop();
    bool running() const { return fd_ >= 0; }
    uint16_t port() const { return port_; }

    // Sends from the listening port without waiting: when the socket's buffer
    // is full the datagram is dropped. Any thread.
    void send_to(const UdpPeer& to, const uint8_t* data, size_t size) const;

    // Datagrams turned away (sender outside the allow list) and handed on.
    uint64_t refused() const { return refused_.load(std::memory_order_relaxed); }
    uint64_t received() const { return received_.load(std::memory_order_relaxed); }

private:
    void run();

    int fd_ = -1;
    int wake_[2] = {-1, -1};
    uint16_t port_ = 0;
    SenderAllow allow_;
    Receive on_datagram_;
    Tick on_tick_;
    std::string thread_name_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> refused_{0};
    std::atomic<uint64_t> received_{0};
};

// 2.0.0.5 as the text "2.0.0.5".
std::string address_text(uint32_t address);

}  // namespace prismel::remote
