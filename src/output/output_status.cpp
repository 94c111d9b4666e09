#include "output/output_status.h"

namespace prismel::artnet {

const char* dmx_status_text(OutputStatus s) {
    switch (s) {
    case OutputStatus::ok: return "DMX:OK";
    case OutputStatus::no_interface: return "DMX:NoIF";
    case OutputStatus::link_down: return "DMX:NoLink";
    default: return "DMX:NG";
    }
}

}  // namespace prismel::artnet
