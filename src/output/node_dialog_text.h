#pragma once
// The texts and cell rules of the node dialogs, apart from the widgets so
// that they can be tested without a window. Texts stay CP932 bytes here; the
// dialogs convert them only when they hand them to a widget.
#include <cstddef>
#include <string>
#include <vector>

#include "output/artnet_nodes.h"
#include "output/interface_choice.h"
#include "output/output_config.h"
#include "output/output_status.h"

namespace prismel::artnet {

// The two drop-down lists of the output port, 0-15 each.
struct PortChoice {
    int sub_net;
    int id;
};
// Any stored universe selects an item: the low byte counts, as in ArtDmx.
PortChoice port_choice(int tx_universe);
int tx_universe_of(PortChoice c);

// A text field of a node entry up to its NUL, never beyond its width: the
// entry came from the network.
std::string field_text(const char* field, size_t width);
template <size_t N>
std::string field_text(const char (&field)[N]) {
    return field_text(field, N);
}

// "%3u.%3u.%3u.%3u"
std::string node_address_text(const NodeEntry& n);
// One line of the node list: "*" for a marked node, a blank otherwise, the
// address and the short name.
std::string node_line(const NodeEntry& n);

// How ArtDmx reaches a node: not at all (sACN only, or unicast to others),
// by broadcast, or sent to it alone.
enum class Reach { none, broadcast, unicast };
// others_unicast: some listed node is sent to by unicast (the list's
// unicast targets of the universe are not empty).
Reach node_reach(const NodeEntry& n, const OutputSettings& s, int universe, bool unicast_targets);
// The list line followed by how the node is reached: "ユニキャスト",
// "ブロードキャスト", or nothing.
std::string node_line(const NodeEntry& n, Reach reach);

// The output group's choices. Interfaces: "自動" (the automatic choice) first,
// then the machine's interfaces as "name (address)", and the chosen one as
// "name (なし)" when the machine does not have it.
struct InterfaceItem {
    std::string text;   // CP932
    std::string value;  // what the setting holds: "" for the automatic choice
};
std::vector<InterfaceItem> interface_items(const std::vector<InterfaceOption>& options, const std::string& chosen);
std::string delivery_item(Delivery d);  // "ブロードキャスト", "ユニキャスト"
std::string protocol_item(Protocol p);  // "Art-Net", "sACN", "Art-Net + sACN"

// The network protocols' list: Art-Net, sACN, both, and "なし" (none: only
// the device outputs). The item of a set of outputs, and the set with the
// network part replaced by an item's.
constexpr int kNetworkItems = 4;
std::string network_item(int index);
int network_index(Protocol set);
Protocol with_network_index(Protocol set, int index);

// The node dialog's list of the outputs in use: the output's name, where it
// goes, its state as the status line says it, and the frames it dropped.
std::string output_name(Protocol one);  // "Art-Net", "sACN", "USB DMX Pro", "OLA"
std::string output_line(const OutputReport& r);

constexpr int kPortCount = 4;
// The SUB-NET : ID cell of port 0-3, "1 : 5", or empty when the port does
// not work in that direction.
std::string port_cell_text(const NodeEntry& n, int port, bool output);

enum class GridKind { info, ports };
enum class CellLook { heading, text, empty };
CellLook cell_look(GridKind grid, int column, int row, bool has_text);
// Left edge of a text centred in a cell: the spare width halved, a half
// pixel dropped toward zero.
int centred_text_left(int cell_left, int cell_width, int text_width);

}  // namespace prismel::artnet
