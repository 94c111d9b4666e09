#pragma once
// A made-up network and clock for the output thread: the clock moves only when
// the loop sleeps, the socket records every datagram with the time it left,
// and a test can queue datagrams to be received.
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "output/net_seams.h"

namespace prismel::test {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

struct SentDatagram {
    nanoseconds at;
    artnet::Ipv4 to;
    uint16_t port;
    std::vector<uint8_t> bytes;
    std::string device;  // the interface its socket is bound to
    bool sacn() const { return port == 5568; }
    int opcode() const { return bytes.size() >= 10 ? bytes[8] | bytes[9] << 8 : -1; }
};

struct FakeWorld {
    std::mutex mutex;
    nanoseconds now = 1000s;  // any origin
    std::vector<SentDatagram> sent;
    std::deque<std::vector<uint8_t>> inbox;
    std::vector<artnet::LocalAddress> rows;
    bool add_succeeds = true;
    bool socket_opens = true;
    std::vector<artnet::AddedAddress> added, removed;
    std::vector<artnet::SocketSetup> opened;  // every socket made, in order
    int live_sockets = 0;
    // Called after every sleep, with the time slept until; the clock can be
    // moved further (a late wake-up) by changing now.
    std::function<void(FakeWorld&)> after_sleep;
    int sleeps = 0;

    std::vector<SentDatagram> sent_with(int opcode) {
        std::lock_guard lock(mutex);
        std::vector<SentDatagram> out;
        for (auto& s : sent)
            if (!s.sacn() && s.opcode() == opcode) out.push_back(s);
        return out;
    }
    std::vector<SentDatagram> sacn_sent() {
        std::lock_guard lock(mutex);
        std::vector<SentDatagram> out;
        for (auto& s : sent)
            if (s.sacn()) out.push_back(s);
        return out;
    }
};

class FakeSocket final : public artnet::UdpSocket {
public:
    FakeSocket(std::shared_ptr<FakeWorld> w, artnet::SocketSetup setup) : w_(std::move(w)), setup_(std::move(setup)) {}
    ~FakeSocket() override {
        std::lock_guard lock(w_->mutex);
        --w_->live_sockets;
    }
    void send_to(const artnet::Ipv4& to, uint16_t port, const uint8_t* data, size_t n) override {
        std::lock_guard lock(w_->mutex);
        w_->sent.push_back({w_->now, to, port, std::vector<uint8_t>(data, data + n), setup_.device});
    }
    long receive(uint8_t* buf, size_t cap) override {
        std::lock_guard lock(w_->mutex);
        if (setup_.port != 6454) return -1;
        if (w_->inbox.empty()) return -1;
        auto d = std::move(w_->inbox.front());
        w_->inbox.pop_front();
        size_t n = d.size() < cap ? d.size() : cap;
        std::copy(d.begin(), d.begin() + long(n), buf);
        return long(n);
    }

private:
    std::shared_ptr<FakeWorld> w_;
    artnet::SocketSetup setup_;
};

class FakeNetwork final : public artnet::Network {
public:
    explicit FakeNetwork(std::shared_ptr<FakeWorld> w) : w_(std::move(w)) {}
    std::vector<artnet::LocalAddress> local_addresses() override {
        std::lock_guard lock(w_->mutex);
        return w_->rows;
    }
    bool add_address(const artnet::AddedAddress& a, std::string& error) override {
        if (!w_->add_succeeds) {
            error = "Operation not permitted";
            return false;
        }
        w_->added.push_back(a);
        return true;
    }
    bool remove_address(const artnet::AddedAddress& a, std::string&) override {
        w_->removed.push_back(a);
        return true;
    }
    std::unique_ptr<artnet::UdpSocket> open_socket(const artnet::SocketSetup& setup, std::string& error) override {
        std::lock_guard lock(w_->mutex);
        if (!w_->socket_opens) {
            error = "bind: Address already in use";
            return nullptr;
        }
        w_->opened.push_back(setup);
        ++w_->live_sockets;
        return std::make_unique<FakeSocket>(w_, setup);
    }

private:
    std::shared_ptr<FakeWorld> w_;
};

class FakeClock final : public artnet::LoopClock {
public:
    explicit FakeClock(std::shared_ptr<FakeWorld> w) : w_(std::move(w)) {}
    nanoseconds now() override {
        std::lock_guard lock(w_->mutex);
        return w_->now;
    }
    void sleep_until(nanoseconds t) override {
        std::function<void(FakeWorld&)> hook;
        {
            std::lock_guard lock(w_->mutex);
            if (t > w_->now) w_->now = t;
            ++w_->sleeps;
            hook = w_->after_sleep;
        }
        if (hook) hook(*w_);
    }

private:
    std::shared_ptr<FakeWorld> w_;
};

inline artnet::LocalAddress row(artnet::Ipv4 a, int prefix, unsigned index, bool up = true, bool lo = false) {
    artnet::LocalAddress r;
    r.address = a;
    r.mask = artnet::prefix_mask(prefix);
    r.if_index = index;
    r.if_name = lo ? "lo" : "eth" + std::to_string(index);
    r.up = up;
    r.running = up;
    r.loopback = lo;
    return r;
}

}  // namespace prismel::test
