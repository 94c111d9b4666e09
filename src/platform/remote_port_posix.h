#pragma once
// The remote port on a POSIX serial device.
#include <string>

#include "platform/remote_port.h"

namespace prismel {

class PosixRemotePort : public RemotePort {
public:
    explicit PosixRemotePort(std::string device) : device_(std::move(device)) {}
    ~PosixRemotePort() override;
    bool open() override;
    void raise_rts() override;
    bool read_status(uint32_t& status) override;
    void close() override;
    bool is_open() const { return fd_ >= 0; }

private:
    std::string device_;
    int fd_ = -1;
};

// The kModem* bits of a TIOCMGET line word.
uint32_t modem_status_of_tiocm(int lines);

}  // namespace prismel
