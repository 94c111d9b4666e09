#include "output/outmon_text.h"

#include <gtest/gtest.h>

#include <string>

namespace prismel {
namespace {

std::string cell(int fixture, int layout, int start, uint8_t s, uint8_t m, uint8_t c, uint8_t y) {
    PatchRecord p{static_cast<int16_t>(layout), static_cast<int16_t>(start)};
    const uint8_t g[4] = {s, m, c, y};
    char buf[kOutmonCellBytes];
    outmon_cell_text(fixture, p, g, buf, sizeof buf);
    return buf;
}

TEST(OutmonCell, EachLayoutListsLevelsInChannelOrder) {
    EXPECT_EQ(cell(0, 1, 0, 0xFF, 0x00, 0x80, 0x00), "01: sFF m00 c80 y00");
    EXPECT_EQ(cell(9, 2, 4, 0x11, 0x22, 0x33, 0x44), "10: y44 m22 c33");
    EXPECT_EQ(cell(10, 3, 8, 0x11, 0x22, 0x33, 0x44), "11: 44");
    EXPECT_EQ(cell(63, 4, 500, 0x11, 0x22, 0x33, 0x44), "64: c33 m22 y44 s11");
}

TEST(OutmonCell, UnpatchedFixtureIgnoresLevelsAndLayout) {
    EXPECT_EQ(cell(4, 1, kNone, 0xFF, 0xFF, 0xFF, 0xFF), "05: ___");
    EXPECT_EQ(cell(4, 9, kNone, 0, 0, 0, 0), "05: ___");
}

TEST(OutmonCell, UnknownLayoutIsEmpty) {
    EXPECT_EQ(cell(0, 0, 0, 1, 2, 3, 4), "");
    EXPECT_EQ(cell(0, -1, 0, 1, 2, 3, 4), "");
}

std::string status(int scene, int chase, int colour, int depth) {
    char buf[kOutmonStatusBytes];
    outmon_status_text(scene, chase, colour, depth, buf, sizeof buf);
    return buf;
}

TEST(OutmonStatus, NothingPlayingAndLayersShownOneBased) {
    EXPECT_EQ(status(kNone, kNone, kNone, 0), "scn:__ chs:__ col:__  stack=0");
    EXPECT_EQ(status(0, 49, 499, 2), "scn:1 chs:50 col:500  stack=2");
}

}  // namespace
}  // namespace prismel
