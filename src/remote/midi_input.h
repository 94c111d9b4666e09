#pragma once
// A MIDI input port that others connect to (on Linux: the port "Prismel" of
// the ALSA sequencer client "Prismel"), through RtMidi with SysEx taken. It
// only moves bytes: each complete message goes to the handler on RtMidi's
// input thread.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class RtMidiIn;

namespace prismel::remote {

class MidiInput {
public:
    using Receive = std::function<void(const uint8_t* data, size_t size)>;
    MidiInput();
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    enum class Opened { port, no_sequencer, failed };
    // Opens the port named port_name. Without a sequencer on the machine
    // (no /dev/snd/seq) nothing is tried; failed carries RtMidi's reason.
    Opened open(const std::string& port_name, Receive on_message, std::string& error);
    void close();
    bool is_open() const { return midi_ != nullptr; }

private:
    std::unique_ptr<RtMidiIn> midi_;
    Receive on_message_;
};

}  // namespace prismel::remote
