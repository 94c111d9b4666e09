#include "output/node_dialog_text.h"

#include <cstdio>
#include <cstring>

#include "platform/text_codec.h"

namespace prismel::artnet {

PortChoice port_choice(int tx_universe) {
    return PortChoice{(tx_universe >> 4) & 0x0F, tx_universe & 0x0F};
}

int tx_universe_of(PortChoice c) { return (c.sub_net & 0x0F) * 16 + (c.id & 0x0F); }

std::string field_text(const char* field, size_t width) {
    return std::string(field, strnlen(field, width));
}

std::string node_address_text(const NodeEntry& n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3u.%3u.%3u.%3u", unsigned(n.ip[0]), unsigned(n.ip[1]), unsigned(n.ip[2]),
                  unsigned(n.ip[3]));
    return buf;
}

std::string node_line(const NodeEntry& n) {
    return (n.marked ? "*" : " ") + node_address_text(n) + " : " + field_text(n.short_name);
}

Reach node_reach(const NodeEntry& n, const OutputSettings& s, int universe, bool unicast_targets) {
    if (!sends_artnet(s.protocol)) return Reach::none;
    if (s.delivery == Delivery::broadcast || !unicast_targets) return Reach::broadcast;
    return node_wants(n, universe & 0x7FFF) ? Reach::unicast : Reach::none;
}

std::string node_line(const NodeEntry& n, Reach reach) {
    switch (reach) {
    case Reach::unicast: return node_line(n) + "  " + sj("ユニキャスト");
    case Reach::broadcast: return node_line(n) + "  " + sj("ブロードキャスト");
    default: return node_line(n);
    }
}

std::vector<InterfaceItem> interface_items(const std::vector<InterfaceOption>& options, const std::string& chosen) {
    std::vector<InterfaceItem> items{{sj("自動"), ""}};
    bool listed = chosen.empty(), present = false;
    for (const InterfaceOption& o : options) {
        items.push_back({o.name + " (" + dotted(o.address) + ")", o.name});
        listed |= o.name == chosen;
        present |= dotted(o.address) == chosen;
    }
    // A setting by address stays one, and a missing interface stays chosen.
    if (!listed) items.push_back({present ? chosen : chosen + " (" + sj("なし") + ")", chosen});
    return items;
}

std::string delivery_item(Delivery d) { return d == Delivery::unicast ? sj("ユニキャスト") : sj("ブロードキャスト"); }

std::string protocol_item(Protocol p) {
    switch (p) {
    case Protocol::sacn: return "sACN";
    case Protocol::both: return "Art-Net + sACN";
    default: return "Art-Net";
    }
}

std::string network_item(int index) {
    switch (index) {
    case 1: return protocol_item(Protocol::sacn);
    case 2: return protocol_item(Protocol::both);
    case 3: return sj("なし");
    default: return protocol_item(Protocol::artnet);
    }
}

int network_index(Protocol set) {
    if (sends_artnet(set)) return sends_sacn(set) ? 2 : 0;
    return sends_sacn(set) ? 1 : 3;
}

Protocol with_network_index(Protocol set, int index) {
    static constexpr Protocol kNetwork[] = {Protocol::artnet, Protocol::sacn, Protocol::both};
    const Protocol devices = without(set, Protocol::both);
    return index >= 0 && index < 3 ? devices | kNetwork[index] : devices;
}

std::string output_name(Protocol one) {
    switch (one) {
    case Protocol::sacn: return "sACN";
    case Protocol::usbpro: return "USB DMX Pro";
    case Protocol::ola: return "OLA";
    default: return "Art-Net";
    }
}

std::string output_line(const OutputReport& r) {
    std::string where = r.where;
    if (r.kind == Protocol::sacn || r.kind == Protocol::ola) where = sj("ユニバース ") + where;
    else if (r.kind == Protocol::usbpro && where.empty()) where = sj("自動");
    char head[16];
    std::snprintf(head, sizeof head, "%-12s", output_name(r.kind).c_str());
    std::string line = head + where + "  " + dmx_status_text(r.status);
    if (r.dropped > 0) line += std::string("  ") + sj("欠落") + " " + std::to_string(r.dropped);
    return line;
}

namespace {

char hex_digit(unsigned v) { return "0123456789ABCDEF"[v & 0x0F]; }

// A node of the first Art-Net generation carries the sub-net in the high
// nibble of SwIn / SwOut; later ones leave it 0 and give it as SubSwitch.
unsigned sub_net_of(const NodeEntry& n, uint8_t sw) { return (sw >> 4) != 0 ? sw >> 4 : n.sub_switch & 0x0F; }

}  // namespace

std::string port_cell_text(const NodeEntry& n, int port, bool output) {
    if (port < 0 || port >= kPortCount) return {};
    const uint8_t direction = output ? kPortOutput : kPortInput;
    if ((n.port_types[port] & direction) == 0) return {};
    const uint8_t sw = output ? n.sw_out[port] : n.sw_in[port];
    return std::string{hex_digit(sub_net_of(n, sw)), ' ', ':', ' ', hex_digit(sw)};
}

CellLook cell_look(GridKind grid, int column, int row, bool has_text) {
    const bool heading = column == 0 || (grid == GridKind::ports && row == 0);
    if (heading) return CellLook::heading;
    return has_text ? CellLook::text : CellLook::empty;
}

int centred_text_left(int cell_left, int cell_width, int text_width) {
    return cell_left + (cell_width - text_width) / 2;
}

}  // namespace prismel::artnet
