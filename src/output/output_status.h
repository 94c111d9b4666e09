#pragma once
// What the status line says about the output: ready, or why nothing goes out.
namespace prismel::artnet {

enum class OutputStatus {
    ok,            // the sockets are open on the chosen network
    no_socket,     // a socket could not be made or bound
    no_interface,  // the chosen interface is not there, or has no IPv4 address
    link_down,     // the chosen interface is down or has lost its carrier
};

// The DMX panel of the status line: "DMX:OK", "DMX:NG", "DMX:NoIF", "DMX:NoLink".
const char* dmx_status_text(OutputStatus s);

}  // namespace prismel::artnet
