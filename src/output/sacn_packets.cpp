#include "output/sacn_packets.h"

#include <cstring>

namespace prismel::sacn {

namespace {

constexpr uint16_t kFlags = 0x7000;  // every PDU here carries vector, header and data

void put16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}

void put32(uint8_t* p, uint32_t v) {
    put16(p, uint16_t(v >> 16));
    put16(p + 2, uint16_t(v));
}

uint16_t get16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint32_t get32(const uint8_t* p) { return uint32_t(get16(p)) << 16 | get16(p + 2); }

// A PDU's flags and length field: the length counts from the field to the
// end of the packet.
void put_flags_length(uint8_t* packet, size_t at, size_t total) { put16(packet + at, uint16_t(kFlags | (total - at))); }
bool flags_length_ok(const uint8_t* d, size_t at, size_t total) { return get16(d + at) == (kFlags | (total - at)); }

void put_root(uint8_t* p, size_t total, uint32_t vector, const artnet::Cid& cid) {
    put16(p + off::kPreamble, 0x0010);
    put16(p + off::kPostamble, 0x0000);
    std::memcpy(p + off::kAcnId, kAcnPacketId, sizeof kAcnPacketId);
    put_flags_length(p, off::kRootFlagsLength, total);
    put32(p + off::kRootVector, vector);
    std::memcpy(p + off::kCid, cid.data(), cid.size());
}

void put_source_name(uint8_t* p) {
    std::memset(p + off::kSourceName, 0, 64);
    std::memcpy(p + off::kSourceName, kSourceName, sizeof kSourceName - 1);
}

bool root_ok(const uint8_t* d, size_t n, uint32_t vector) {
    return get16(d + off::kPreamble) == 0x0010 && get16(d + off::kPostamble) == 0 &&
           std::memcmp(d + off::kAcnId, kAcnPacketId, sizeof kAcnPacketId) == 0 &&
           flags_length_ok(d, off::kRootFlagsLength, n) && get32(d + off::kRootVector) == vector;
}

// The source name up to its NUL, never beyond its 64 bytes.
std::string source_name_of(const uint8_t* d) {
    const char* s = reinterpret_cast<const char*>(d + off::kSourceName);
    return std::string(s, strnlen(s, 64));
}

// A discovery page of count universes into p, which is zeroed and holds them.
void put_discovery(uint8_t* p, const artnet::Cid& cid, const uint16_t* universes, size_t count) {
    const size_t total = kDiscoveryHeaderSize + 2 * count;
    put_root(p, total, kVectorRootExtended, cid);
    put_flags_length(p, off::kFramingFlagsLength, total);
    put32(p + off::kFramingVector, kVectorExtendedDiscovery);
    put_source_name(p);
    put_flags_length(p, off::kDiscoveryFlagsLength, total);
    put32(p + off::kDiscoveryVector, kVectorDiscoveryList);
    p[off::kPage] = 0;
    p[off::kLastPage] = 0;
    for (size_t i = 0; i < count; ++i) put16(p + off::kUniverseList + 2 * i, universes[i]);
}

}  // namespace

void build_data(DataPacket& p, const artnet::Cid& cid, uint16_t universe, uint8_t priority) {
    p.fill(0);
    put_root(p.data(), p.size(), kVectorRootData, cid);
    put_flags_length(p.data(), off::kFramingFlagsLength, p.size());
    put32(p.data() + off::kFramingVector, kVectorFramingData);
    put_source_name(p.data());
    p[off::kPriority] = priority;
    put16(p.data() + off::kSyncAddress, 0);  // not synchronised
    set_data_universe(p, universe);
    put_flags_length(p.data(), off::kDmpFlagsLength, p.size());
    p[off::kDmpVector] = kVectorDmpSetProperty;
    p[off::kAddressDataType] = 0xA1;
    put16(p.data() + off::kFirstAddress, 0x0000);
    put16(p.data() + off::kAddressIncrement, 0x0001);
    put16(p.data() + off::kValueCount, uint16_t(kSlotCount + 1));
    p[off::kStartCode] = 0x00;
}

void set_data_universe(DataPacket& p, uint16_t universe) { put16(p.data() + off::kUniverse, universe); }
void set_data_sequence(DataPacket& p, uint8_t sequence) { p[off::kSequence] = sequence; }
void set_data_options(DataPacket& p, uint8_t options) { p[off::kOptions] = options; }

std::vector<uint8_t> build_discovery(const artnet::Cid& cid, const std::vector<uint16_t>& universes) {
    const size_t count = universes.size() < kDiscoveryPageUniverses ? universes.size() : kDiscoveryPageUniverses;
    std::vector<uint8_t> p(kDiscoveryHeaderSize + 2 * count, 0);
    put_discovery(p.data(), cid, universes.data(), count);
    return p;
}

void build_discovery(DiscoveryPacket& p, const artnet::Cid& cid, uint16_t universe) {
    p.fill(0);
    put_discovery(p.data(), cid, &universe, 1);
}

artnet::Ipv4 multicast_group(uint16_t universe) {
    return artnet::Ipv4{{239, 255, uint8_t(universe >> 8), uint8_t(universe)}};
}

bool parse_data(const uint8_t* d, size_t n, Data& out) {
    if (n < kDataSlotsOffset || n > kDataSize || !root_ok(d, n, kVectorRootData)) return false;
    if (!flags_length_ok(d, off::kFramingFlagsLength, n) || get32(d + off::kFramingVector) != kVectorFramingData)
        return false;
    if (!flags_length_ok(d, off::kDmpFlagsLength, n) || d[off::kDmpVector] != kVectorDmpSetProperty ||
        d[off::kAddressDataType] != 0xA1 || get16(d + off::kFirstAddress) != 0 ||
        get16(d + off::kAddressIncrement) != 1 || get16(d + off::kValueCount) != n - off::kStartCode)
        return false;
    std::memcpy(out.cid.data(), d + off::kCid, out.cid.size());
    out.source_name = source_name_of(d);
    out.priority = d[off::kPriority];
    out.sync_address = get16(d + off::kSyncAddress);
    out.sequence = d[off::kSequence];
    out.options = d[off::kOptions];
    out.universe = get16(d + off::kUniverse);
    out.start_code = d[off::kStartCode];
    out.slots.assign(d + kDataSlotsOffset, d + n);
    return true;
}

bool parse_discovery(const uint8_t* d, size_t n, Discovery& out) {
    if (n < kDiscoveryHeaderSize || (n - kDiscoveryHeaderSize) % 2 != 0 ||
        n > kDiscoveryHeaderSize + 2 * kDiscoveryPageUniverses || !root_ok(d, n, kVectorRootExtended))
        return false;
    if (!flags_length_ok(d, off::kFramingFlagsLength, n) ||
        get32(d + off::kFramingVector) != kVectorExtendedDiscovery ||
        !flags_length_ok(d, off::kDiscoveryFlagsLength, n) || get32(d + off::kDiscoveryVector) != kVectorDiscoveryList)
        return false;
    std::memcpy(out.cid.data(), d + off::kCid, out.cid.size());
    out.source_name = source_name_of(d);
    out.page = d[off::kPage];
    out.last_page = d[off::kLastPage];
    out.universes.clear();
    for (size_t at = kDiscoveryHeaderSize; at + 1 < n; at += 2) out.universes.push_back(get16(d + at));
    return true;
}

}  // namespace prismel::sacn
