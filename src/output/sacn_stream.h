#pragma once
// One universe sent as sACN: the data packet with its sequence numbers, sent
// when the frame changed, three times in all with the same levels before
// sending pauses, and then as a keep-alive every 900 ms, as E1.31 asks of a
// source whose levels do not change.
#include <cstdint>

#include "output/sacn_packets.h"

namespace prismel::sacn {

class Stream {
public:
    static constexpr int kSamePackets = 3;      // packets of unchanged levels before sending pauses
    static constexpr int kKeepAliveFrames = 45;  // 900 ms of 20 ms frames: within 800-1000 ms
    static constexpr int kTerminatePackets = 3;

    // A new stream of universe with all slots at 0; the next frame is sent.
    void start(const artnet::Cid& cid, uint16_t universe, uint8_t priority = kDefaultPriority);
    // The priority of the packets from the next one on.
    void set_priority(uint8_t priority) { packet_[off::kPriority] = priority; }
    bool started() const { return started_; }
    uint16_t universe() const { return universe_; }

    // Takes the levels of one frame (512 slots): the packet to send now, or
    // nullptr. force sends even unchanged levels.
    const DataPacket* frame(const uint8_t* slots, bool force);
    // The next of the packets that end the stream: the last levels with the
    // Stream_Terminated option. The caller sends kTerminatePackets of them.
    const DataPacket& terminate_packet();
    // Forgets the stream (after it was terminated).
    void stop() { started_ = false; }

private:
    const DataPacket& next_packet(uint8_t options);

    DataPacket packet_{};
    uint16_t universe_ = 0;
    uint8_t sequence_ = 0;
    int same_left_ = 0;
    int quiet_frames_ = 0;
    bool started_ = false;
    bool first_ = true;
};

}  // namespace prismel::sacn
