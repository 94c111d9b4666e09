#pragma once
// What the output thread needs from the system, behind interfaces so that
// tests can give it a recording socket, a made-up address table and a clock
// that only moves when told.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "output/artnet_protocol.h"

namespace prismel::artnet {

// One UDP socket, made as a SocketSetup says. send_to may be called from two
// threads at once (the loop and a scan).
class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    virtual void send_to(const Ipv4& to, uint16_t port, const uint8_t* data, size_t n) = 0;
    // Reads one waiting datagram into buf without blocking: its length (cut to
    // cap), or -1 when none is waiting.
    virtual long receive(uint8_t* buf, size_t cap) = 0;
    // The same, and who sent it (0.0.0.0 where the socket cannot tell).
    virtual long receive_from(uint8_t* buf, size_t cap, Ipv4& from) {
        from = Ipv4{};
        return receive(buf, cap);
    }
};

// A row of the local IPv4 address table.
struct LocalAddress {
    Ipv4 address;
    Ipv4 mask;
    unsigned if_index = 0;
    std::string if_name;
    bool up = false;
    bool running = false;   // it has a carrier (a cable, a peer)
    bool loopback = false;  // the interface is a loopback one
};

// How a socket is made.
struct SocketSetup {
    uint16_t port = 0;       // local port; 0: any free one
    std::string device;      // sends and receives through this interface only; empty: any
    bool broadcast = false;  // broadcasting allowed, never through a gateway
    // Multicast leaves through the interface of this index (0: the one of
    // the address), one hop, and is not looped back.
    bool multicast = false;
    unsigned multicast_if = 0;
    Ipv4 multicast_address;
};

// An address added to an interface, kept to remove it again.
struct AddedAddress {
    unsigned if_index = 0;
    Ipv4 address;
    int prefix = 0;
    Ipv4 broadcast;
};

class Network {
public:
    virtual ~Network() = default;
    virtual std::vector<LocalAddress> local_addresses() = 0;
    // Both return false and set error (system text) on failure.
    virtual bool add_address(const AddedAddress& a, std::string& error) = 0;
    virtual bool remove_address(const AddedAddress& a, std::string& error) = 0;
    // nullptr and error set when the socket cannot be made or bound.
    virtual std::unique_ptr<UdpSocket> open_socket(const SocketSetup& setup, std::string& error) = 0;
};

// A monotonic clock the loop sleeps on, in nanoseconds from any origin.
class LoopClock {
public:
    virtual ~LoopClock() = default;
    virtual std::chrono::nanoseconds now() = 0;
    // Returns once now() >= t (at once when t has passed).
    virtual void sleep_until(std::chrono::nanoseconds t) = 0;
};

// The real ones: getifaddrs, rtnetlink and POSIX sockets; CLOCK_MONOTONIC.
std::unique_ptr<Network> make_system_network();
std::unique_ptr<LoopClock> make_monotonic_clock();

}  // namespace prismel::artnet
