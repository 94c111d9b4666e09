#pragma once
// OSC packets as the console reads and writes them. liblo reads and writes
// each message; a bundle is taken apart here (liblo only dispatches bundles
// through a server of its own) into its messages, in order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace prismel::remote {

struct OscArg {
    enum class Kind : uint8_t {
        number,  // i h f d: the value
        text,    // s S: the text
        truth,   // T and I read as 1, F and N as 0
        other,   // blobs, MIDI, time tags, characters: not looked at
    };
    Kind kind = Kind::other;
    char tag = 0;  // the OSC type tag
    double number = 0;
    std::string text;

    static OscArg of_number(double v, char tag = 'f') { return OscArg{Kind::number, tag, v, {}}; }
    static OscArg of_text(std::string s) { return OscArg{Kind::text, 's', 0, std::move(s)}; }
};

struct OscMessage {
    std::string address;
    std::vector<OscArg> args;
};

// Bundles inside bundles are taken this deep; deeper ones are skipped.
constexpr int kOscMaxBundleDepth = 8;

// Every message of a datagram, in order: the message, or a bundle's elements
// depth first. Time tags are not waited for: a bundle is taken when it
// arrives. What does not read as OSC is skipped: an element liblo refuses,
// and the rest of a bundle from an element whose size does not fit.
std::vector<OscMessage> read_osc_packet(const uint8_t* data, size_t size);

// A message's bytes, written by liblo (number args as int32 'i', float 'f' or
// double 'd' by their tag; text as 's').
std::vector<uint8_t> osc_bytes(const OscMessage& m);

}  // namespace prismel::remote
