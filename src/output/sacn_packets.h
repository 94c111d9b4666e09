#pragma once
// Streaming ACN (ANSI E1.31-2016) packets of this console: the data packet of
// one universe of 512 slots and the universe discovery packet, built into
// fixed arrays apart from any socket, and read back from received bytes.
// E1.31 sends every multi-byte field most significant byte first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "output/artnet_protocol.h"
#include "output/output_config.h"

namespace prismel::sacn {

constexpr uint16_t kPort = 5568;
constexpr size_t kDataSize = 638;  // 126-byte header, START code and 512 slots
constexpr size_t kDataSlotsOffset = 126;
constexpr int kSlotCount = 512;
constexpr uint8_t kDefaultPriority = 100;
constexpr char kSourceName[] = "Prismel";
constexpr uint16_t kDiscoveryUniverse = 64214;
constexpr size_t kDiscoveryHeaderSize = 120;
// Universes one discovery page can list.
constexpr size_t kDiscoveryPageUniverses = 512;

// Vectors and field offsets, as the standard numbers them.
constexpr uint32_t kVectorRootData = 0x00000004;
constexpr uint32_t kVectorRootExtended = 0x00000008;
constexpr uint32_t kVectorFramingData = 0x00000002;
constexpr uint32_t kVectorExtendedDiscovery = 0x00000002;
constexpr uint32_t kVectorDiscoveryList = 0x00000001;
constexpr uint8_t kVectorDmpSetProperty = 0x02;
constexpr uint8_t kOptionPreview = 0x80;
constexpr uint8_t kOptionTerminated = 0x40;
constexpr uint8_t kOptionForceSync = 0x20;

namespace off {
constexpr size_t kPreamble = 0, kPostamble = 2, kAcnId = 4, kRootFlagsLength = 16, kRootVector = 18, kCid = 22;
constexpr size_t kFramingFlagsLength = 38, kFramingVector = 40, kSourceName = 44;
constexpr size_t kPriority = 108, kSyncAddress = 109, kSequence = 111, kOptions = 112, kUniverse = 113;
constexpr size_t kDmpFlagsLength = 115, kDmpVector = 117, kAddressDataType = 118, kFirstAddress = 119;
constexpr size_t kAddressIncrement = 121, kValueCount = 123, kStartCode = 125;
// Universe discovery.
constexpr size_t kReserved = 108, kDiscoveryFlagsLength = 112, kDiscoveryVector = 114;
constexpr size_t kPage = 118, kLastPage = 119, kUniverseList = 120;
}  // namespace off

constexpr uint8_t kAcnPacketId[12] = {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0};

using DataPacket = std::array<uint8_t, kDataSize>;

// A data packet of the universe with all 512 slots at 0, sequence 0, no
// options, the priority (100 unless said), source name "Prismel".
void build_data(DataPacket& p, const artnet::Cid& cid, uint16_t universe, uint8_t priority = kDefaultPriority);
void set_data_universe(DataPacket& p, uint16_t universe);
void set_data_sequence(DataPacket& p, uint8_t sequence);
void set_data_options(DataPacket& p, uint8_t options);
inline uint8_t* data_slots(DataPacket& p) { return p.data() + kDataSlotsOffset; }
inline const uint8_t* data_slots(const DataPacket& p) { return p.data() + kDataSlotsOffset; }

// The discovery page listing the given universes (sorted, at most one page).
std::vector<uint8_t> build_discovery(const artnet::Cid& cid, const std::vector<uint16_t>& universes);
// The page of a source of one universe, as this console sends it, built in
// place: the output thread sends it without touching the heap.
using DiscoveryPacket = std::array<uint8_t, kDiscoveryHeaderSize + 2>;
void build_discovery(DiscoveryPacket& p, const artnet::Cid& cid, uint16_t universe);

// The multicast group of a universe: 239.255.hi.lo.
artnet::Ipv4 multicast_group(uint16_t universe);

// What a receiver reads from a data packet.
struct Data {
    artnet::Cid cid{};
    std::string source_name;
    uint8_t priority = 0;
    uint16_t sync_address = 0;
    uint8_t sequence = 0;
    uint8_t options = 0;
    uint16_t universe = 0;
    uint8_t start_code = 0;
    std::vector<uint8_t> slots;  // after the START code
};
// Reads an E1.31 data packet of n bytes; false when any layer's vector,
// length or the DMP fields do not describe one. Only the n bytes are read.
bool parse_data(const uint8_t* d, size_t n, Data& out);

struct Discovery {
    artnet::Cid cid{};
    std::string source_name;
    uint8_t page = 0, last_page = 0;
    std::vector<uint16_t> universes;
};
bool parse_discovery(const uint8_t* d, size_t n, Discovery& out);

}  // namespace prismel::sacn
