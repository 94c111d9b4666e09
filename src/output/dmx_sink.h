#pragma once
// One output of the DMX frame. The output thread hands every frame to each
// sink in use, in the order Art-Net, sACN, USB widget, OLA; a sink sends it
// when it changed or when its own repeat is due. A sink never makes the loop
// wait: whatever may block (opening a device, reaching a daemon) runs on a
// thread of its own beside the loop.
#include <chrono>
#include <cstdint>
#include <string>

#include "output/output_config.h"
#include "output/output_status.h"

namespace prismel::artnet {

struct SinkFrame {
    const uint8_t* slots = nullptr;  // 512
    unsigned number = 0;             // frames since the loop began: 0 for the first
    std::chrono::nanoseconds now{};  // the loop's clock at this frame
};

class DmxSink {
public:
    virtual ~DmxSink() = default;
    virtual Protocol kind() const = 0;
    // Takes the frame of this period; sends it when it changed or is due.
    virtual void take(const SinkFrame& f) = 0;
    // The next frame goes out whatever it holds (new settings, a new
    // binding, the outputs enabled again).
    virtual void resend() = 0;
    // The settings changed; each output takes what concerns it.
    virtual void apply(const OutputSettings&) {}
    // Nothing more goes out for now: an output whose receivers wait for its
    // frames tells them it ended.
    virtual void silence() {}
    // What the status line says about this output. The loop's thread only.
    virtual OutputStatus state() const = 0;
    // Where it goes (an address, a device, a universe), for the node dialog.
    virtual std::string where() const { return {}; }
    // Frames that were due but found the output unable to take them.
    virtual uint64_t dropped() const { return 0; }
    // The sink leaves the list: its side thread is asked to end. idle() says
    // when it has, so that destroying the sink waits for nothing.
    virtual void retire() {}
    virtual bool idle() const { return true; }
};

}  // namespace prismel::artnet
