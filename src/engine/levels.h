#pragma once
// The engine's level buffers: four levels per fixture in the fixed order
// size, M, C, Y (fixture f at 4f ... 4f + 3), and the DMX frame they end on.
#include <array>
#include <cstdint>

#include "data/show_records.h"

namespace prismel {

constexpr int kLevelsPerFixture = 4;
constexpr int kLevelCount = kFixtures * kLevelsPerFixture;

// Offsets inside a fixture's group.
constexpr int kLevelSize = 0;
constexpr int kLevelM = 1;
constexpr int kLevelC = 2;
constexpr int kLevelY = 3;

using LevelBuffer = std::array<uint8_t, kLevelCount>;

// 512 slots, slot 0 = DMX channel 1.
using DmxFrame = std::array<uint8_t, kDmxSlots>;

inline uint8_t* group_of(LevelBuffer& b, int fixture) { return b.data() + fixture * kLevelsPerFixture; }
inline const uint8_t* group_of(const LevelBuffer& b, int fixture) { return b.data() + fixture * kLevelsPerFixture; }

inline void set_group(LevelBuffer& b, int fixture, uint8_t size, uint8_t m, uint8_t c, uint8_t y) {
    uint8_t* g = group_of(b, fixture);
    g[kLevelSize] = size;
    g[kLevelM] = m;
    g[kLevelC] = c;
    g[kLevelY] = y;
}

}  // namespace prismel
