#include "output/system_network.h"

namespace prismel::artnet {

namespace {

class SystemNetwork final : public Network {
public:
    std::vector<LocalAddress> local_addresses() override { return read_local_addresses(); }
    bool add_address(const AddedAddress& a, std::string& error) override { return netlink_add_address(a, error); }
    bool remove_address(const AddedAddress& a, std::string& error) override {
        return netlink_remove_address(a, error);
    }
    std::unique_ptr<UdpSocket> open_socket(const SocketSetup& setup, std::string& error) override {
        return open_posix_udp_socket(setup, error);
    }
};

}  // namespace

std::unique_ptr<Network> make_system_network() { return std::make_unique<SystemNetwork>(); }

}  // namespace prismel::artnet
