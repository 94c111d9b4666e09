#include "output/output_status.h"

namespace prismel::artnet {

const char* dmx_status_text(OutputStatus s) {
    switch (s) {
    case OutputStatus::ok: return "DMX:OK";
    case OutputStatus::no_interface: return "DMX:NoIF";
    case OutputStatus::link_down: return "DMX:NoLink";
    case OutputStatus::no_device: return "DMX:NoDev";
    case OutputStatus::no_ola: return "DMX:NoOLA";
    default: return "DMX:NG";
    }
}

namespace {

int severity(OutputStatus s) {
    switch (s) {
    case OutputStatus::ok: return 0;
    case OutputStatus::link_down: return 1;
    case OutputStatus::no_socket: return 3;
    default: return 2;
    }
}

}  // namespace

OutputStatus worse(OutputStatus a, OutputStatus b) { return severity(b) > severity(a) ? b : a; }

}  // namespace prismel::artnet
