#pragma once
// TArtnetThread: the console's only DMX output. Every 20 ms it lets the step
// hook (the playback engine) fill the frame and broadcasts it as ArtDmx when
// it changed, and at least every 75th frame; it polls for nodes every 2 s,
// answers polls and keeps the list of nodes that replied.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "output/artnet_nodes.h"
#include "output/artnet_packets.h"
#include "output/net_seams.h"

namespace prismel::artnet {

class TArtnetThread {
public:
    using StepHook = std::function<void(uint8_t* frame)>;  // frame: 512 slots
    static constexpr std::chrono::milliseconds kPeriod{20};
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    static constexpr int kKeepAliveFrames = 75;  // an unchanged frame is repeated every 1.5 s
    static constexpr int kMaxDatagramsPerPass = 64;

    // Create (suspended): runs the network set-up on the calling thread.
    TArtnetThread();
    TArtnetThread(std::unique_ptr<Network> network, std::unique_ptr<LoopClock> clock);
    // Ends the loop if it runs and waits for it; the added address is removed.
    ~TArtnetThread();
    TArtnetThread(const TArtnetThread&) = delete;
    TArtnetThread& operator=(const TArtnetThread&) = delete;

    // Before start only.
    void set_step_hook(StepHook hook) { step_hook_ = std::move(hook); }
    // Starts the loop once; raise_priority asks the system for a higher
    // scheduling priority (ignored when it is refused).
    bool start(bool raise_priority = true);
    // Asks the loop to end; it does so within one period.
    void terminate() { terminated_.store(true); }
    // Waits until the loop has ended: socket closed, added address removed.
    void join();

    // Sends an ArtPoll now; nothing unless the socket is ready. Any thread.
    void send_poll();

    // Fields shared with the main thread (node dialog, status line, play).
    std::atomic<int> tx_universe{0};
    std::atomic<int> receive_universe{5};
    NodeList nodes;
    bool socket_ready() const { return socket_ready_.load(); }
    const std::string& own_address_text() const { return own_address_text_; }
    Ipv4 own_address() const { return own_; }
    Ipv4 broadcast_address() const { return broadcast_; }
    bool alias_added() const { return alias_added_; }
    // The set-up's system or socket error text; read after the set-up or
    // once the loop has ended.
    const std::string& error_text() const { return error_text_; }

private:
    void set_up();
    void execute(bool raise_priority);
    void send_frame(bool forced);
    void receive_pending();
    void clean_up();

    std::unique_ptr<Network> network_;
    std::unique_ptr<LoopClock> clock_;
    std::unique_ptr<UdpSocket> socket_;
    std::mutex socket_mutex_;  // guards socket_ against send_poll while the loop closes it
    std::atomic<bool> socket_ready_{false};
    std::atomic<bool> terminated_{false};
    std::thread thread_;
    bool started_ = false;
    bool cleaned_up_ = false;

    Ipv4 own_ = kLoopback;
    Ipv4 broadcast_;
    std::string own_address_text_;
    bool alias_added_ = false;
    AddedAddress alias_;
    std::string error_text_;

    PollPacket poll_{};
    DmxPacket dmx_{};  // its data field also holds the last frame sent
    ReplyPacket reply_{};
    unsigned replies_sent_ = 0;
    std::array<uint8_t, kReceiveBufferSize> receive_buffer_{};
    std::array<uint8_t, kDmxSlotCount> frame_{};
    StepHook step_hook_;
};

}  // namespace prismel::artnet
