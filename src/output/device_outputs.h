#pragma once
// How the output thread makes the outputs that reach devices rather than the
// network: the USB DMX widget and OLA's daemon. The console uses the
// machine's serial devices and OLA's client library; tests give their own.
#include <functional>
#include <memory>

#include "output/dmx_sink.h"

namespace prismel::artnet {

struct DeviceOutputs {
    using Make = std::function<std::unique_ptr<DmxSink>(const OutputSettings&)>;
    Make usbpro;
    Make ola;
};

// The widget among the machine's USB serial devices (never the remote GO
// port) and olad on this machine.
DeviceOutputs system_device_outputs();

}  // namespace prismel::artnet
