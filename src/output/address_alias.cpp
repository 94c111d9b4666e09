// Adding and removing an IPv4 address on an interface through rtnetlink.
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "output/system_network.h"

namespace prismel::artnet {

namespace {

struct AddressRequest {
    nlmsghdr header;
    ifaddrmsg message;
    char attributes[64];
};

void add_attribute(AddressRequest& r, unsigned short type, const Ipv4& value) {
    auto* rta = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(&r) + NLMSG_ALIGN(r.header.nlmsg_len));
    rta->rta_type = type;
    rta->rta_len = RTA_LENGTH(4);
    std::memcpy(RTA_DATA(rta), value.b.data(), 4);
    r.header.nlmsg_len = NLMSG_ALIGN(r.header.nlmsg_len) + RTA_ALIGN(rta->rta_len);
}

// Sends one request and waits (at most a second) for its acknowledgement.
bool netlink_request(AddressRequest& r, std::string& error) {
    int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0) {
        error = std::string("netlink: ") + std::strerror(errno);
        return false;
    }
    timeval tv{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    bool ok = false;
    if (::sendto(fd, &r, r.header.nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof kernel) < 0) {
        error = std::string("netlink: ") + std::strerror(errno);
    } else {
        error = "netlink: no answer";
        alignas(nlmsghdr) char buf[4096];
        for (;;) {
            ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n < 0) error = std::string("netlink: ") + std::strerror(errno);
                break;
            }
            bool answered = false;
            int left = int(n);
            for (auto* h = reinterpret_cast<nlmsghdr*>(buf); NLMSG_OK(h, left); h = NLMSG_NEXT(h, left)) {
                if (h->nlmsg_seq != r.header.nlmsg_seq || h->nlmsg_type != NLMSG_ERROR) continue;
                if (h->nlmsg_len < NLMSG_LENGTH(sizeof(nlmsgerr))) continue;
                int code = static_cast<nlmsgerr*>(NLMSG_DATA(h))->error;
                ok = code == 0;
                error = ok ? "" : std::strerror(-code);
                answered = true;
                break;
            }
            if (answered) break;
        }
    }
    ::close(fd);
    return ok;
}

bool change_address(int type, int flags, const AddedAddress& a, std::string& error) {
    static unsigned sequence = 0;
    AddressRequest r{};
    r.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
    r.header.nlmsg_type = uint16_t(type);
    r.header.nlmsg_flags = uint16_t(NLM_F_REQUEST | NLM_F_ACK | flags);
    r.header.nlmsg_seq = ++sequence;
    r.message.ifa_family = AF_INET;
    r.message.ifa_prefixlen = uint8_t(a.prefix);
    r.message.ifa_scope = RT_SCOPE_UNIVERSE;
    r.message.ifa_index = a.if_index;
    add_attribute(r, IFA_LOCAL, a.address);
    add_attribute(r, IFA_ADDRESS, a.address);
    add_attribute(r, IFA_BROADCAST, a.broadcast);
    return netlink_request(r, error);
}

}  // namespace

bool netlink_add_address(const AddedAddress& a, std::string& error) {
    return change_address(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, a, error);
}

bool netlink_remove_address(const AddedAddress& a, std::string& error) {
    return change_address(RTM_DELADDR, 0, a, error);
}

}  // namespace prismel::artnet
