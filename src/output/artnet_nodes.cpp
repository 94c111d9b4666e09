#include "output/artnet_nodes.h"

#include <cstring>

namespace prismel::artnet {

int port_address(const NodeEntry& n, uint8_t sw) {
    return (n.net_switch & 0x7F) << 8 | (n.sub_switch & 0x0F) << 4 | (sw & 0x0F);
}

bool node_is_marked(const NodeEntry& n, int tx_universe, int rx_universe) {
    for (int i = 0; i < 4; ++i) {
        uint8_t type = n.port_types[i];
        if ((type & kPortProtocolMask) != 0) continue;
        if ((type & kPortInput) && port_address(n, n.sw_in[i]) == rx_universe) return true;
        if ((type & kPortOutput) && port_address(n, n.sw_out[i]) == tx_universe) return true;
    }
    return false;
}

NodeList::Added NodeList::add(const NodeEntry& e) {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < count_; ++i) {
        if (std::memcmp(entries_[i].ip, e.ip, 4) == 0) return Added::duplicate;
    }
    if (count_ >= kCapacity) return Added::full;
    entries_[count_++] = e;
    changed_ = true;
    return Added::yes;
}

void NodeList::clear() {
    std::lock_guard lock(mutex_);
    count_ = 0;
    changed_ = true;
}

int NodeList::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

bool NodeList::entry(int i, NodeEntry& out) const {
    std::lock_guard lock(mutex_);
    if (i < 0 || i >= count_) return false;
    out = entries_[i];
    return true;
}

std::vector<NodeEntry> NodeList::entries() const {
    std::lock_guard lock(mutex_);
    return {entries_.begin(), entries_.begin() + count_};
}

bool NodeList::changed() const {
    std::lock_guard lock(mutex_);
    return changed_;
}

bool NodeList::take_changed() {
    std::lock_guard lock(mutex_);
    bool was = changed_;
    changed_ = false;
    return was;
}

}  // namespace prismel::artnet
