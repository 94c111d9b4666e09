#include "remote/midi_input.h"

#include <rtmidi/RtMidi.h>
#if defined(__linux__)
#include <unistd.h>
#endif

#include <vector>

namespace prismel::remote {

namespace {

// The sequencer's device: where there is none, RtMidi would only fail (and
// ALSA say so on standard error).
constexpr const char* kSequencerDevice = "/dev/snd/seq";
// Messages RtMidi keeps for a slow handler before it drops them.
constexpr unsigned kQueueSize = 256;

}  // namespace

MidiInput::MidiInput() = default;
MidiInput::~MidiInput() { close(); }

MidiInput::Opened MidiInput::open(const std::string& port_name, Receive on_message, std::string& error) {
    close();
#if defined(__linux__)
    if (::access(kSequencerDevice, R_OK | W_OK) != 0) return Opened::no_sequencer;
    const RtMidi::Api api = RtMidi::LINUX_ALSA;  // never JACK: it may start a server of its own
#else
    const RtMidi::Api api = RtMidi::UNSPECIFIED;
#endif
    on_message_ = std::move(on_message);
    try {
        auto midi = std::make_unique<RtMidiIn>(api, port_name, kQueueSize);
        // With a callback RtMidi throws no more: errors are kept here, and
        // warnings go nowhere rather than to standard error.
        std::string failure;
        midi->setErrorCallback(
            [](RtMidiError::Type type, const std::string& text, void* out) {
                if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
                    *static_cast<std::string*>(out) = text;
            },
            &failure);
        midi->setCallback(
            [](double, std::vector<unsigned char>* message, void* self) {
                auto* input = static_cast<MidiInput*>(self);
                if (message && !message->empty()) input->on_message_(message->data(), message->size());
            },
            this);
        midi->ignoreTypes(false /* SysEx */, true /* timing */, true /* active sensing */);
        midi->openVirtualPort(port_name);
        midi->setErrorCallback([](RtMidiError::Type, const std::string&, void*) {}, nullptr);
        if (!failure.empty()) {
            error = failure;
            return Opened::failed;
        }
        midi_ = std::move(midi);
        return Opened::port;
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return Opened::failed;
    }
}

void MidiInput::close() {
    if (!midi_) return;
    midi_->cancelCallback();
    midi_->closePort();
    midi_.reset();
}

}  // namespace prismel::remote
