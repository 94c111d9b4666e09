#include "support/netns.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace prismel::test {

namespace {

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int status_of(int raw) { return raw == -1 ? -1 : WIFEXITED(raw) ? WEXITSTATUS(raw) : 128; }

}  // namespace

std::string shell_output(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

std::unique_ptr<NetNamespace> NetNamespace::create(std::string& why) {
    static std::atomic<int> counter{0};
    std::string name = "prismel-t" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    std::string err = shell_output("ip netns add " + name + " 2>&1");
    if (shell_output("ip netns list 2>/dev/null").find(name) == std::string::npos) {
        why = "cannot create a network namespace (needs root and iproute2): " + err;
        return nullptr;
    }
    return std::unique_ptr<NetNamespace>(new NetNamespace(name));
}

NetNamespace::~NetNamespace() {
    // Whatever a failed test left running inside must not outlive it.
    (void)std::system(("ip netns pids " + name_ + " 2>/dev/null | xargs -r kill -9 2>/dev/null").c_str());
    (void)std::system(("ip netns del " + name_ + " 2>/dev/null").c_str());
}

int NetNamespace::run(const std::string& command) const {
    return status_of(std::system((exec_prefix() + "sh -c " + quoted(command)).c_str()));
}

std::string NetNamespace::output(const std::string& command) const {
    return shell_output(exec_prefix() + "sh -c " + quoted(command));
}

NetNamespace::Inside::Inside(const NetNamespace& ns) {
    home_ = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    int target = open(("/run/netns/" + ns.name()).c_str(), O_RDONLY | O_CLOEXEC);
    if (home_ >= 0 && target >= 0) entered_ = setns(target, CLONE_NEWNET) == 0;
    if (target >= 0) close(target);
}

NetNamespace::Inside::~Inside() {
    if (entered_) (void)setns(home_, CLONE_NEWNET);
    if (home_ >= 0) close(home_);
}

int link_namespaces(const NetNamespace& a, const std::string& address_a, const NetNamespace& b,
                    const std::string& address_b) {
    static std::atomic<int> counter{0};
    std::string tag = std::to_string(getpid() % 100000) + "x" + std::to_string(counter++);
    std::string va = "pa" + tag, vb = "pb" + tag;  // interface names stay under 16 bytes
    int rc = a.run("ip link add " + va + " type veth peer name " + vb + " netns " + b.name());
    auto set_up = [](const NetNamespace& ns, const std::string& dev, const std::string& address) {
        std::string add = address.empty() ? "" : "ip addr add " + address + " brd + dev " + dev + " && ";
        return ns.run(add + "ip link set " + dev + " up");
    };
    rc |= set_up(a, va, address_a);
    rc |= set_up(b, vb, address_b);
    return rc;
}

int bridge_namespaces(const NetNamespace& hub, const std::string& hub_address, const std::vector<BridgedHost>& hosts) {
    static std::atomic<int> counter{0};
    const std::string tag = std::to_string(getpid() % 100000) + "x" + std::to_string(counter++);
    const std::string bridge = "br" + tag;
    int rc = hub.run("ip link add " + bridge + " type bridge && ip addr add " + hub_address + " brd + dev " + bridge +
                     " && ip link set " + bridge + " up");
    for (size_t i = 0; i < hosts.size(); ++i) {
        const std::string port = "bp" + tag + "_" + std::to_string(i), end = "bh" + tag + "_" + std::to_string(i);
        rc |= hub.run("ip link add " + port + " type veth peer name " + end + " netns " + hosts[i].ns->name() +
                      " && ip link set " + port + " master " + bridge + " && ip link set " + port + " up");
        rc |= hosts[i].ns->run("ip addr add " + hosts[i].address + " brd + dev " + end + " && ip link set " + end +
                               " up && ip link set lo up");
    }
    return rc;
}

}  // namespace prismel::test
