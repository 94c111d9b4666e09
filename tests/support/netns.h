#pragma once
// Private network namespaces for tests that send: every datagram such a test
// sends stays inside namespaces it made itself. Needs root (or CAP_SYS_ADMIN)
// and the ip tool; where either is missing, create() says why and tests skip.
#include <memory>
#include <string>
#include <vector>

namespace prismel::test {

class NetNamespace {
public:
    // A new, empty namespace (loopback down), or nullptr with why set.
    static std::unique_ptr<NetNamespace> create(std::string& why);
    ~NetNamespace();  // kills what still runs inside, then deletes it
    NetNamespace(const NetNamespace&) = delete;
    NetNamespace& operator=(const NetNamespace&) = delete;

    const std::string& name() const { return name_; }
    // Runs a shell command inside; its exit status (0 = success).
    int run(const std::string& command) const;
    // Its standard output.
    std::string output(const std::string& command) const;
    // The prefix that runs a program inside: "ip netns exec NAME ".
    std::string exec_prefix() const { return "ip netns exec " + name_ + " "; }

    // While an Inside lives, the calling thread (and threads it starts) is in
    // the namespace: sockets it opens belong there.
    class Inside {
    public:
        explicit Inside(const NetNamespace& ns);
        ~Inside();
        bool entered() const { return entered_; }
        Inside(const Inside&) = delete;
        Inside& operator=(const Inside&) = delete;

    private:
        int home_ = -1;
        bool entered_ = false;
    };

private:
    explicit NetNamespace(std::string name) : name_(std::move(name)) {}
    std::string name_;
};

// Links a and b by a veth pair, both ends up, with the given addresses
// ("2.0.0.1/8"; empty: none). Loopback is left as it is. 0 on success.
int link_namespaces(const NetNamespace& a, const std::string& address_a, const NetNamespace& b,
                    const std::string& address_b);

// One link layer for several namespaces: a bridge in hub with hub_address
// on it, and a veth pair from the bridge to each host, its end given the
// host's address. 0 on success.
struct BridgedHost {
    const NetNamespace* ns;
    std::string address;
};
int bridge_namespaces(const NetNamespace& hub, const std::string& hub_address, const std::vector<BridgedHost>& hosts);

// Runs a shell command and returns its standard output.
std::string shell_output(const std::string& command);

}  // namespace prismel::test
