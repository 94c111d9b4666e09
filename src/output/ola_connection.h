#pragma once
// The console's connection to OLA's daemon (olad), behind an interface so
// that tests of the OLA output can stand in for the daemon. Every call may
// block: only the OLA output's side thread makes them.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace prismel::artnet {

class OlaConnection {
public:
    virtual ~OlaConnection() = default;
    // Connects to olad on this machine; false when it does not answer. Never
    // starts a daemon.
    virtual bool connect() = 0;
    // Sends the levels of one universe; false when the connection is gone.
    virtual bool send(unsigned universe, const uint8_t* slots, size_t n) = 0;
    virtual void close() = 0;
};

// OLA's streaming client; where the program was built without OLA's
// library, a connection that never connects.
std::unique_ptr<OlaConnection> make_ola_connection();

}  // namespace prismel::artnet
