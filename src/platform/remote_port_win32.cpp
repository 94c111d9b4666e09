#ifdef _WIN32
// The remote port through the Windows serial API.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/remote_port.h"

namespace prismel {
namespace {

class Win32RemotePort : public RemotePort {
public:
    ~Win32RemotePort() override { close(); }
    bool open() override {
        if (handle_ != INVALID_HANDLE_VALUE) return true;
        handle_ = CreateFileA("COM1", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle_ != INVALID_HANDLE_VALUE;
    }
    void raise_rts() override {
        if (handle_ != INVALID_HANDLE_VALUE) EscapeCommFunction(handle_, SETRTS);
    }
    bool read_status(uint32_t& status) override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        DWORD bits = 0;
        if (!GetCommModemStatus(handle_, &bits)) return false;
        status = bits & (kModemCarrierDetect | kModemRing);
        return true;
    }
    void close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return;
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::string remote_port_device() {
    const char* named = std::getenv("PRISMEL_REMOTE_PORT");
    if (named && std::strcmp(named, "none") == 0) return {};
    return "COM1";
}

RemotePort& system_remote_port() {
    const char* named = std::getenv("PRISMEL_REMOTE_PORT");
    if (named && std::strcmp(named, "none") == 0) return no_remote_port();
    static Win32RemotePort port;
    return port;
}

}  // namespace prismel
#endif
