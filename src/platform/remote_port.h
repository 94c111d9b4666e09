#pragma once
// The serial port whose modem-status lines carry the remote GO and BACK
// contacts. Only the status lines are used: no data is sent or received and
// the speed and framing are never set.
#include <cstdint>

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
// instance for the program.
RemotePort& system_remote_port();

}  // namespace prismel
