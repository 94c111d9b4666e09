#pragma once
// The show-control remotes of one engine and show: OSC (with feedback to
// subscribers), MIDI Show Control in UDP datagrams, and MIDI Show Control
// from the MIDI input port. Each receives on a thread of its own and applies
// what it decodes there, through apply_playback_action, exactly as the run
// screen's keys do; none runs on the output thread or holds it longer than
// an edit of the show does.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/show_data.h"
#include "engine/playback_action.h"
#include "engine/playback_engine.h"
#include "remote/midi_input.h"
#include "remote/osc_feedback.h"
#include "remote/osc_server.h"
#include "remote/remote_config.h"

namespace prismel::remote {

// Something start() could not do as the settings ask.
struct StartNote {
    enum class What : uint8_t {
        osc_port_refused,  // port, detail: the system's reason
        msc_port_refused,  // port, detail
        bad_allow,         // detail: the first entry that is no address or range
        no_sequencer,      // the machine has no MIDI sequencer
        midi_failed,       // detail: RtMidi's reason
    };
    What what;
    int port = 0;
    std::string detail;
    friend bool operator==(const StartNote&, const StartNote&) = default;
};

// The note for the command line (English) and for the message line (CP932).
std::string note_text(const StartNote& note);
std::string note_message(const StartNote& note);

class RemoteControl {
public:
    // An action's outcome for the operator (CP932), from a receiving thread.
    using Say = std::function<void(const char* cp932)>;

    RemoteControl(PlaybackEngine& engine, const ShowData& show, Say say);
    ~RemoteControl() { stop(); }
    RemoteControl(const RemoteControl&) = delete;
    RemoteControl& operator=(const RemoteControl&) = delete;

    // Starts every remote the settings ask for; what could not start is
    // noted (the others run all the same).
    std::vector<StartNote> start(const RemoteSettings& settings);
    void stop();

    bool osc_running() const { return osc_.running(); }
    bool msc_running() const { return msc_.running(); }
    bool midi_open() const { return midi_.is_open(); }
    // Actions applied, from every remote.
    uint64_t actions() const { return actions_.load(std::memory_order_relaxed); }

private:
    void play(const PlaybackAction& action);
    void on_osc(const OscMessage& m, const UdpPeer& from);
    void on_msc(const uint8_t* data, size_t size);
    void send_feedback();

    PlaybackEngine& engine_;
    const ShowData& show_;
    Say say_;
    int device_id_ = 1;
    OscServer osc_;
    UdpListener msc_;
    MidiInput midi_;
    std::atomic<uint64_t> actions_{0};
    // Kept by the OSC thread only.
    Subscribers subscribers_;
    std::optional<FeedbackState> sent_;
};

}  // namespace prismel::remote
