#include "remote/remote_control.h"

#include <cstdio>

#include "platform/text_codec.h"
#include "remote/msc_decoder.h"
#include "remote/osc_commands.h"

namespace prismel::remote {

namespace {

constexpr const char* kMidiPortName = "Prismel";

bool valid_port(int port) { return port >= 1 && port <= kMaxUdpPort; }

std::string formatted(const char* cp932_format, int port) {
    char text[128];
    std::snprintf(text, sizeof text, cp932_format, port);
    return text;
}

}  // namespace

std::string note_text(const StartNote& note) {
    switch (note.what) {
    case StartNote::What::osc_port_refused:
        return "OSC port " + std::to_string(note.port) + " cannot be opened (" + note.detail + ")";
    case StartNote::What::msc_port_refused:
        return "MSC port " + std::to_string(note.port) + " cannot be opened (" + note.detail + ")";
    case StartNote::What::bad_allow:
        return "OscAllow: '" + note.detail + "' is neither an IPv4 address nor an address/prefix range; it lets no one in";
    case StartNote::What::no_sequencer: return "no MIDI sequencer on this machine: MIDI Show Control over MIDI is off";
    case StartNote::What::midi_failed: return "the MIDI input port cannot be opened (" + note.detail + ")";
    }
    return {};
}

std::string note_message(const StartNote& note) {
    switch (note.what) {
    case StartNote::What::osc_port_refused: return formatted(sj("OSCポート%dを開けません"), note.port);
    case StartNote::What::msc_port_refused: return formatted(sj("MSCポート%dを開けません"), note.port);
    case StartNote::What::bad_allow: return std::string(sj("OscAllowの設定が間違っています: ")) + note.detail;
    case StartNote::What::no_sequencer: return sj("MIDI入力なし: ALSAシーケンサがありません");
    case StartNote::What::midi_failed: return sj("MIDI入力ポートを開けません");
    }
    return {};
}

RemoteControl::RemoteControl(PlaybackEngine& engine, const ShowData& show, Say say)
    : engine_(engine), show_(show), say_(std::move(say)) {}

std::vector<StartNote> RemoteControl::start(const RemoteSettings& s) {
    stop();
    std::vector<StartNote> notes;
    device_id_ = s.msc_device_id >= 0 && s.msc_device_id <= kMaxMscDeviceId ? s.msc_device_id : 1;
    AllowParse allow = parse_sender_allow(s.osc_allow);
    if (!allow.bad.empty()) notes.push_back({StartNote::What::bad_allow, 0, allow.bad.front()});
    std::string error;
    if (valid_port(s.osc_port) &&
        !osc_.start(
            uint16_t(s.osc_port), allow.allow, [this](const OscMessage& m, const UdpPeer& from) { on_osc(m, from); },
            [this] { send_feedback(); }, error))
        notes.push_back({StartNote::What::osc_port_refused, s.osc_port, error});
    if (valid_port(s.msc_udp_port) &&
        !msc_.start(
            uint16_t(s.msc_udp_port), allow.allow,
            [this](const uint8_t* data, size_t size, const UdpPeer&) {
                each_sysex(data, size, [this](const uint8_t* m, size_t n) { on_msc(m, n); });
            },
            {}, "prismel-msc", error))
        notes.push_back({StartNote::What::msc_port_refused, s.msc_udp_port, error});
    if (s.midi_port) {
        switch (midi_.open(kMidiPortName, [this](const uint8_t* m, size_t n) { on_msc(m, n); }, error)) {
        case MidiInput::Opened::port: break;
        case MidiInput::Opened::no_sequencer: notes.push_back({StartNote::What::no_sequencer, 0, {}}); break;
        case MidiInput::Opened::failed: notes.push_back({StartNote::What::midi_failed, 0, error}); break;
        }
    }
    return notes;
}

void RemoteControl::stop() {
    midi_.close();
    msc_.stop();
    osc_.stop();
    subscribers_ = Subscribers();
    sent_.reset();
}

void RemoteControl::play(const PlaybackAction& action) {
    actions_.fetch_add(1, std::memory_order_relaxed);
    if (const char* why = outcome_message(apply_playback_action(engine_, show_, action))) {
        if (say_) say_(why);
    }
}

void RemoteControl::on_osc(const OscMessage& m, const UdpPeer& from) {
    const OscRequest r = osc_request(m);
    switch (r.kind) {
    case OscRequest::Kind::ignored: return;
    case OscRequest::Kind::action: play(r.action); return;
    case OscRequest::Kind::subscribe: {
        const UdpPeer to{from.address, r.reply_port ? uint16_t(r.reply_port) : from.port};
        subscribers_.subscribe(to, Subscribers::Clock::now());
        const FeedbackState now = read_feedback_state(engine_, show_);
        for (const OscMessage& f : feedback_messages(now)) osc_.send(to, f);
        if (!sent_) sent_ = now;  // the first subscriber has it all
        return;
    }
    }
}

void RemoteControl::on_msc(const uint8_t* data, size_t size) {
    if (const std::optional<PlaybackAction> a = msc_action(data, size, device_id_)) play(*a);
}

void RemoteControl::send_feedback() {
    subscribers_.expire(Subscribers::Clock::now());
    if (subscribers_.empty()) {
        sent_.reset();
        return;
    }
    const FeedbackState now = read_feedback_state(engine_, show_);
    if (sent_ && *sent_ == now) return;
    sent_ = now;
    const std::vector<OscMessage> messages = feedback_messages(now);
    for (const UdpPeer& to : subscribers_.peers()) {
        for (const OscMessage& m : messages) osc_.send(to, m);
    }
}

}  // namespace prismel::remote
