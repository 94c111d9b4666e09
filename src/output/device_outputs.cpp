#include "output/device_outputs.h"

#include "output/ola_sink.h"
#include "output/usbpro_sink.h"
#include "platform/remote_port.h"

namespace prismel::artnet {

DeviceOutputs system_device_outputs() {
    DeviceOutputs d;
    d.usbpro = [](const OutputSettings& s) -> std::unique_ptr<DmxSink> {
        return std::make_unique<usbpro::UsbProSink>(usbpro::make_system_serial_devices(), s.usbpro_device,
                                                    remote_port_device());
    };
    d.ola = [](const OutputSettings& s) -> std::unique_ptr<DmxSink> {
        return std::make_unique<OlaSink>(make_ola_connection, s.ola_universe);
    };
    return d;
}

}  // namespace prismel::artnet
