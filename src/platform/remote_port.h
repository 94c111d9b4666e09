#pragma once
// The serial port whose modem-status lines carry the remote GO and BACK
// contacts. Only the status lines are used: no data is sent or received and
// the speed and framing are never set.
#include <cstdint>
#include <string>

namespace prismel {

// Modem-status bits, with the values the Windows serial API gives them.
constexpr uint32_t kModemCarrierDetect = 0x80;  // GO contact
constexpr uint32_t kModemRing = 0x40;           // BACK contact

class RemotePort {
public:
    virtual ~RemotePort() = default;
    // Opens the port; false when it does not exist or cannot be opened.
    virtual bool open() = 0;
    // Raises RTS, which powers the contacts. Called only on an opened port.
    virtual void raise_rts() = 0;
    // Reads the modem status into `status` (kModem* bits); false when the read
    // fails. Called only on an opened port.
    virtual bool read_status(uint32_t& status) = 0;
    // Closes an opened port.
    virtual void close() = 0;
};

// The first serial port of this machine ("COM1": /dev/ttyS0 on Linux). One
// instance for the program. The environment variable PRISMEL_REMOTE_PORT
// names another device, or "none" for no port at all (test runs and
// machines whose first serial port is wired to something else).
RemotePort& system_remote_port();
// The device system_remote_port() opens ("/dev/ttyS0", the one named, "COM1"
// on Windows); empty for none. Other serial users stay off it.
std::string remote_port_device();

// A port that never opens: no line ever fires.
RemotePort& no_remote_port();

// The port the console's engine (g_engine) polls. It forwards to the port
// installed with install_remote_port, and to no port until one is: only the
// program entry installs the machine's port, so no test can open a real
// serial device by accident. Install before the engine is initialised.
RemotePort& engine_remote_port();
void install_remote_port(RemotePort* port);  // nullptr: no port

}  // namespace prismel
