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

bool node_wants(const NodeEntry& n, int universe) {
    for (int i = 0; i < 4; ++i) {
        uint8_t type = n.port_types[i];
        if ((type & kPortProtocolMask) == 0 && (type & kPortOutput) && port_address(n, n.sw_out[i]) == universe)
            return true;
    }
    return false;
}

NodeList::Added NodeList::add(const NodeEntry& e, Time now, int wanted_universe) {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < count_; ++i) {
        if (std::memcmp(entries_[i].ip, e.ip, 4) != 0) continue;
        if (std::memcmp(&entries_[i], &e, sizeof e) != 0) {
            entries_[i] = e;
            changed_ = true;
        }
        seen_[i] = now;
        return Added::duplicate;
    }
    if (count_ >= kCapacity) {
        if (wanted_universe >= 0 && node_wants(e, wanted_universe)) {
            unlisted_wanting_ = true;
            unlisted_seen_ = now;
        }
        return Added::full;
    }
    entries_[count_] = e;
    seen_[count_] = now;
    ++count_;
    changed_ = true;
    return Added::yes;
}

bool NodeList::expire(Time now, Time max_age) {
    std::lock_guard lock(mutex_);
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        if (now - seen_[i] > max_age) continue;
        entries_[kept] = entries_[i];
        seen_[kept] = seen_[i];
        ++kept;
    }
    if (unlisted_wanting_ && now - unlisted_seen_ > max_age) unlisted_wanting_ = false;
    const bool gone = kept != count_;
    count_ = kept;
    changed_ |= gone;
    return gone;
}

void NodeList::clear() {
    std::lock_guard lock(mutex_);
    count_ = 0;
    unlisted_wanting_ = false;
    changed_ = true;
}

UnicastTargets NodeList::unicast_targets(int universe) const {
    std::lock_guard lock(mutex_);
    UnicastTargets t;
    if (unlisted_wanting_) return t;
    for (int i = 0; i < count_; ++i) {
        if (!node_wants(entries_[i], universe)) continue;
        std::memcpy(t.to[size_t(t.count)].b.data(), entries_[i].ip, 4);
        ++t.count;
    }
    return t;
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
