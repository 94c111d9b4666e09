#pragma once
// TArtnetThread: the console's DMX output. Every 20 ms it lets the step hook
// (the playback engine) fill the frame and hands it to each output in use
// (dmx_sink.h), which sends it when it changed or is due: ArtDmx (broadcast,
// or unicast to the nodes that asked for the universe) at least every 75th
// frame, sACN (E1.31 multicast) with the standard's keep-alive, a USB DMX
// widget and OLA's daemon at least once a second. It polls for Art-Net nodes
// every 2 s, answers polls, keeps the list of nodes that reply, and watches a
// chosen interface so that sending stops while it is gone and resumes when
// it is back.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "output/artnet_nodes.h"
#include "output/artnet_packets.h"
#include "output/device_outputs.h"
#include "output/interface_choice.h"
#include "output/net_seams.h"
#include "output/network_sinks.h"
#include "output/output_config.h"
#include "output/output_status.h"

namespace prismel::artnet {

class TArtnetThread {
public:
    using StepHook = std::function<void(uint8_t* frame)>;  // frame: 512 slots
    static constexpr std::chrono::milliseconds kPeriod{20};
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    static constexpr int kMaxDatagramsPerPass = 64;
    // A node that missed three polls is dropped.
    static constexpr std::chrono::milliseconds kNodeMaxAge{3 * 2000 + 1000};
    static constexpr std::chrono::seconds kDiscoveryInterval{10};
    static constexpr int kInterfaceCheckFrames = 50;  // a chosen interface is looked at every second
    static constexpr int kReportFrames = 50;          // the outputs' reports are renewed every second

    // Create (suspended): runs the network set-up on the calling thread.
    TArtnetThread();
    explicit TArtnetThread(const OutputSettings& settings);
    TArtnetThread(std::unique_ptr<Network> network, std::unique_ptr<LoopClock> clock,
                  const OutputSettings& settings = {}, DeviceOutputs devices = system_device_outputs());
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
    // Waits until the loop has ended: sACN streams terminated, sockets and
    // devices closed, added address removed.
    void join();

    // Sends an ArtPoll now; nothing unless the Art-Net socket is open. Any thread.
    void send_poll();

    // New settings: applied at once before start, else by the loop before
    // its next frame. Main thread.
    void set_output_settings(const OutputSettings& s);
    // The settings last given.
    OutputSettings output_settings() const;

    // While off, frames are still computed but no output sends anything
    // (sACN announces its end); on again, every output sends the next frame.
    // Any thread; the loop follows before its next frame.
    void set_outputs_enabled(bool on) { outputs_enabled_.store(on); }
    bool outputs_enabled() const { return outputs_enabled_.load(); }
    // The outputs a backup console keeps silent while its primary plays
    // (apart from the switch above): each held one falls silent as above and
    // sends the next frame whatever it holds when it is let go. Any thread.
    void set_outputs_held(Protocol held) { held_.store(uint8_t(held)); }
    Protocol outputs_held() const { return Protocol(held_.load()); }

    // ArtDmx that arrive from this address are counted (0.0.0.0: none): a
    // backup console sees its primary's output on the lighting network.
    // Any thread.
    void watch_artdmx_from(Ipv4 source) { watched_.store(source.value()); }
    uint64_t watched_artdmx() const { return watched_count_.load(std::memory_order_relaxed); }

    // Fields shared with the main thread (node dialog, status line, play).
    std::atomic<int> tx_universe{0};
    std::atomic<int> receive_universe{5};
    NodeList nodes;
    bool socket_ready() const { return socket_ready_.load(); }
    // The status line's state: the worst of the outputs in use.
    OutputStatus status() const;
    // One output's state (ok for one not in use).
    OutputStatus output_status(Protocol one) const;
    // Each output in use with its state, where it goes and the frames it
    // dropped, as of the last second.
    std::vector<OutputReport> output_reports() const;
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
    void set_network_status(OutputStatus s);
    void release_output();
    void check_interface();
    void take_new_settings();

    // The outputs (output_sinks.cpp).
    void arrange_sinks(const OutputSettings& before);
    std::unique_ptr<DmxSink> make_sink(Protocol kind);
    void hand_out(unsigned number, std::chrono::nanoseconds now);
    void end_sacn_stream();
    void send_discovery();
    void reap_retired();
    void publish_reports();
    void close_sinks();

    // The loop (artnet_thread.cpp).
    void execute(bool raise_priority);
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
    NetworkPath path_;                        // the sockets as the network outputs see them
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

    PollPacket poll_{};
    ReplyPacket reply_{};
    unsigned replies_sent_ = 0;
    std::array<uint8_t, kReceiveBufferSize> receive_buffer_{};

    // The outputs in use, in the order they are served; those that left wait
    // in retired_ until their side threads have ended. The binding's owner only.
    DeviceOutputs devices_;
    std::vector<std::unique_ptr<DmxSink>> sinks_;
    std::vector<std::unique_ptr<DmxSink>> retired_;
    SacnSink* sacn_sink_ = nullptr;
    std::atomic<bool> outputs_enabled_{true};
    std::atomic<uint8_t> held_{0};
    std::array<bool, 4> sending_{true, true, true, true};  // per output, as the loop last followed it
    std::atomic<uint32_t> watched_{0};
    std::atomic<uint64_t> watched_count_{0};
    // What the main thread sees of them.
    std::atomic<uint8_t> in_use_{0};
    std::array<std::atomic<OutputStatus>, 4> states_{};
    mutable std::mutex reports_mutex_;
    std::vector<OutputReport> reports_;  // guarded by reports_mutex_

    std::array<uint8_t, kDmxSlotCount> frame_{};
    StepHook step_hook_;
    bool step_first_ = false;
};

}  // namespace prismel::artnet
