#pragma once
// The main window's view of the output thread: what start-up and shutdown
// and the status line need from it. The console uses the Art-Net thread
// (output_link.cpp); tests use a recording fake so that nothing is sent.
// The node dialog reaches the universe and the nodes through it.
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/levels.h"
#include "output/node_link.h"
#include "output/output_config.h"
#include "output/output_status.h"

namespace prismel {

class OutputLink : public NodeLink {
public:
    // Called once per frame with the frame to fill (the engine step).
    virtual void set_step_hook(std::function<void(DmxFrame&)> hook) = 0;
    // Set while the thread's socket is ready to send (the status line's "DMX:OK").
    virtual bool socket_ready() const = 0;
    // Why nothing goes out, for the status line: no socket, or a chosen
    // interface that is missing or down.
    virtual artnet::OutputStatus status() const {
        return socket_ready() ? artnet::OutputStatus::ok : artnet::OutputStatus::no_socket;
    }
    // The Art-Net address could not be added: the output goes out from the
    // address the machine has.
    virtual bool alias_refused() const { return false; }
    // Before start: the first frame sent is stepped first (a restored look),
    // rather than all zero.
    virtual void step_before_first_frame() {}
    // The thread is created suspended: start() lets it run.
    virtual void start() = 0;
    // Asks the thread to end; does not wait.
    virtual void request_terminate() = 0;

    // A backup console's hold on its outputs while its primary plays, and
    // its primary's ArtDmx on the lighting network (address in host order).
    virtual void set_outputs_held(artnet::Protocol) {}
    virtual void watch_artdmx_from(uint32_t) {}
    virtual uint64_t watched_artdmx() const { return 0; }
};

// The console's output: the Art-Net thread, created suspended at raised
// priority, sending as the settings say.
std::unique_ptr<OutputLink> make_artnet_output(const artnet::OutputSettings& settings = {});

}  // namespace prismel
