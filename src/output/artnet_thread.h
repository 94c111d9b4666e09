#pragma once
// TArtnetThread: the console's only DMX output. Every 20 ms it lets the step
// hook (the playback engine) fill the frame and sends it when it changed:
// as ArtDmx (broadcast, or unicast to the nodes that asked for the universe)
// at least every 75th frame, and as sACN (E1.31 multicast) with the
// standard's keep-alive. It polls for Art-Net nodes every 2 s, answers polls,
// keeps the list of nodes that reply, and watches a chosen interface so that
// sending stops while it is gone and resumes when it is back.
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
#include "output/interface_choice.h"
#include "output/net_seams.h"
#include "output/output_config.h"
#include "output/output_status.h"
#include "output/sacn_stream.h"

namespace prismel::artnet {

class TArtnetThread {
public:
    using StepHook = std::function<void(uint8_t* frame)>;  // frame: 512 slots
    static constexpr std::chrono::milliseconds kPeriod{20};
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    static constexpr int kKeepAliveFrames = 75;  // an unchanged ArtDmx is repeated every 1.5 s
    static constexpr int kMaxDatagramsPerPass = 64;
    // A node that missed three polls is dropped.
    static constexpr std::chrono::milliseconds kNodeMaxAge{3 * 2000 + 1000};
    static constexpr std::chrono::seconds kDiscoveryInterval{10};
    static constexpr int kInterfaceCheckFrames = 50;  // a chosen interface is looked at every second

    // Create (suspended): runs the network set-up on the calling thread.
    TArtnetThread();
    explicit TArtnetThread(const OutputSettings& settings);
    TArtnetThread(std::unique_ptr<Network> network, std::unique_ptr<LoopClock> clock,
                  const OutputSettings& settings = {});
    // Ends the loop if it runs and waits for it; the added address is removed.
    ~TArtnetThread();
    TArtnetThread(const TArtnetThread&) = delete;
    TArtnetThread& operator=(const TArtnetThread&) = delete;

    // Before start only.
    void set_step_hook(StepHook hook) { step_hook_ = std::move(hook); }
    // Before start only: the first frame sent is stepped first, rather than
    // the all-zero frame, so a look restored at start-up is on the wire from
    // the first packet.
    void step_before_first_send() { step_first_ = true; }
    // Starts the loop once; raise_priority asks the system for a higher
    // scheduling priority (ignored when it is refused).
    bool start(bool raise_priority = true);
    // Asks the loop to end; it does so within one period.
    void terminate() { terminated_.store(true); }
    // Waits until the loop has ended: sACN streams terminated, sockets
    // closed, added address removed.
    void join();

    // Sends an ArtPoll now; nothing unless the Art-Net socket is open. Any thread.
    void send_poll();

    // New settings: applied at once before start, else by the loop before
    // its next frame. Main thread.
    void set_output_settings(const OutputSettings& s);
    // The settings last given.
    OutputSettings output_settings() const;

    // Fields shared with the main thread (node dialog, status line, play).
    std::atomic<int> tx_universe{0};
    std::atomic<int> receive_universe{5};
    NodeList nodes;
    bool socket_ready() const { return socket_ready_.load(); }
    OutputStatus status() const { return status_.load(); }
    std::string own_address_text() const;
    Ipv4 own_address() const;
    Ipv4 broadcast_address() const;
    bool alias_added() const { return alias_added_.load(); }
    // The automatic binding wanted an Art-Net address and the system refused
    // to add it (no CAP_NET_ADMIN): the output goes out from the address the
    // machine has.
    bool alias_refused() const { return alias_refused_.load(); }
    // The set-up's system or socket error text; read while the loop does not
    // run (before start, or once it has ended).
    const std::string& error_text() const { return error_text_; }

private:
    // The output binding (output_binding.cpp): where the console speaks from.
    void configure(const OutputSettings& s);
    void bind_output();
    void bind_automatic();
    void bind_chosen(const InterfaceBinding& b);
    void open_sockets();
    void close_sockets();
    void release_output();
    void check_interface();
    void take_new_settings();

    // The loop (artnet_thread.cpp).
    void execute(bool raise_priority);
    void send_outputs(bool forced);
    void send_artnet(bool forced);
    void send_sacn(bool forced);
    void end_sacn_stream();
    void send_discovery();
    void receive_pending(std::chrono::nanoseconds now);
    void clean_up();

    std::unique_ptr<Network> network_;
    std::unique_ptr<LoopClock> clock_;
    // The sockets are made and closed by the thread that owns the binding
    // (the creating thread before start, the loop after); the lock guards
    // them and the addresses against send_poll from the main thread.
    mutable std::mutex socket_mutex_;
    std::unique_ptr<UdpSocket> socket_;       // Art-Net, port 6454
    std::unique_ptr<UdpSocket> sacn_socket_;  // sACN, any port
    std::atomic<bool> socket_ready_{false};
    std::atomic<OutputStatus> status_{OutputStatus::no_socket};
    std::atomic<bool> terminated_{false};
    std::thread thread_;
    bool started_ = false;
    bool cleaned_up_ = false;

    mutable std::mutex settings_mutex_;
    OutputSettings requested_;  // guarded by settings_mutex_
    std::atomic<bool> settings_pending_{false};
    OutputSettings settings_;   // in force; the binding's owner only
    bool bound_ = false;

    Ipv4 own_ = kLoopback;
    Ipv4 broadcast_;
    std::string own_address_text_;
    unsigned if_index_ = 0;
    InterfaceBinding chosen_;  // the chosen interface as last found
    std::atomic<bool> alias_added_{false};
    std::atomic<bool> alias_refused_{false};
    AddedAddress alias_;
    std::string error_text_;
    bool force_next_ = false;  // the next frame goes out whatever it holds

    PollPacket poll_{};
    DmxPacket dmx_{};  // its data field also holds the last frame sent
    ReplyPacket reply_{};
    unsigned replies_sent_ = 0;
    sacn::Stream sacn_;
    sacn::DiscoveryPacket discovery_{};
    std::array<uint8_t, kReceiveBufferSize> receive_buffer_{};
    std::array<uint8_t, kDmxSlotCount> frame_{};
    StepHook step_hook_;
    bool step_first_ = false;
};

}  // namespace prismel::artnet
