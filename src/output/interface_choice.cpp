#include "output/interface_choice.h"

namespace prismel::artnet {

namespace {

std::string base_name(const std::string& label) { return label.substr(0, label.find(':')); }

}  // namespace

bool parse_ipv4(const std::string& text, Ipv4& out) {
    Ipv4 a;
    size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= text.size() || text[i] != '.') return false;
            ++i;
        }
        int value = 0, digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            value = value * 10 + (text[i++] - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        a.b[size_t(part)] = uint8_t(value);
    }
    if (i != text.size()) return false;
    out = a;
    return true;
}

InterfaceBinding resolve_interface(const std::vector<LocalAddress>& rows, const std::string& wanted) {
    InterfaceBinding b;
    Ipv4 address;
    const bool by_address = parse_ipv4(wanted, address);
    for (const LocalAddress& r : rows) {
        if (by_address ? !(r.address == address) : base_name(r.if_name) != wanted) continue;
        b.device = base_name(r.if_name);
        b.if_index = r.if_index;
        b.own = r.address;
        b.mask = r.mask;
        b.status = r.up && r.running ? OutputStatus::ok : OutputStatus::link_down;
        return b;
    }
    return b;
}

std::vector<InterfaceOption> interface_options(const std::vector<LocalAddress>& rows) {
    std::vector<InterfaceOption> out;
    for (const LocalAddress& r : rows) {
        if (r.loopback) continue;
        const std::string name = base_name(r.if_name);
        bool listed = false;
        for (const InterfaceOption& o : out) listed |= o.name == name;
        if (!listed) out.push_back({name, r.address, r.up && r.running});
    }
    return out;
}

}  // namespace prismel::artnet
