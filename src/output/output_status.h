#pragma once
// What the status line says about the output: ready, or why nothing goes out.
#include <cstdint>
#include <string>

#include "output/output_config.h"

namespace prismel::artnet {

enum class OutputStatus {
    ok,            // the sockets are open on the chosen network
    no_socket,     // a socket could not be made or bound
    no_interface,  // the chosen interface is not there, or has no IPv4 address
    link_down,     // the chosen interface is down or has lost its carrier
    no_device,     // no USB DMX widget: none found, or it was unplugged
    no_ola,        // OLA's daemon does not answer (not running, or restarting)
};

// The DMX panel of the status line: "DMX:OK", "DMX:NG", "DMX:NoIF",
// "DMX:NoLink", "DMX:NoDev", "DMX:NoOLA".
const char* dmx_status_text(OutputStatus s);

// The one of two the status line shows when several outputs are in use:
// any trouble over ok; a socket that cannot be made over a missing
// interface, device or daemon, and those over a link that is merely down.
OutputStatus worse(OutputStatus a, OutputStatus b);

// One output in use as the node dialog lists it.
struct OutputReport {
    Protocol kind = Protocol::artnet;
    OutputStatus status = OutputStatus::ok;
    std::string where;     // the address, device or universe it goes to
    uint64_t dropped = 0;  // frames it could not take when they were due
    friend bool operator==(const OutputReport&, const OutputReport&) = default;
};

}  // namespace prismel::artnet
