#include "output/sacn_stream.h"

#include <cstring>

namespace prismel::sacn {

void Stream::start(const artnet::Cid& cid, uint16_t universe, uint8_t priority) {
    build_data(packet_, cid, universe, priority);
    universe_ = universe;
    same_left_ = 0;
    quiet_frames_ = 0;
    started_ = true;
    first_ = true;
}

const DataPacket* Stream::frame(const uint8_t* slots, bool force) {
    if (!started_) return nullptr;
    const bool changed = first_ || std::memcmp(slots, data_slots(packet_), kSlotCount) != 0;
    if (changed) {
        std::memcpy(data_slots(packet_), slots, kSlotCount);
        same_left_ = kSamePackets - 1;
        first_ = false;
    } else if (same_left_ > 0) {
        --same_left_;
    } else if (!force && ++quiet_frames_ < kKeepAliveFrames) {
        return nullptr;
    }
    quiet_frames_ = 0;
    return &next_packet(0);
}

const DataPacket& Stream::terminate_packet() { return next_packet(kOptionTerminated); }

const DataPacket& Stream::next_packet(uint8_t options) {
    set_data_sequence(packet_, sequence_++);
    set_data_options(packet_, options);
    return packet_;
}

}  // namespace prismel::sacn
