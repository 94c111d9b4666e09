#include "platform/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace prismel {

SingleInstance::SingleInstance(const char* name) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return;  // no guard possible: run rather than refuse the operator
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    size_t n = std::strlen(name);
    if (n > sizeof addr.sun_path - 1) n = sizeof addr.sun_path - 1;
    std::memcpy(addr.sun_path + 1, name, n);  // leading NUL: the abstract namespace
    socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
        taken_ = errno == EADDRINUSE;
        ::close(fd_);
        fd_ = -1;
    }
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace prismel
