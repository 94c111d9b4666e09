#pragma once
// The colour scheme: screens pick colours by index, never by value, so an
// operator's scheme recolours every screen. Values are 0x00BBGGRR.
#include <cstdint>

namespace prismel {

enum ChwColour : int {
    ScreenBg = 1,
    TitleFg = 2,
    TitleAct = 3,
    TitleNeg = 4,
    NoticeFg = 5,  // fixed, not configurable: the notice line under the title image
    FrameAct = 6,
    FrameNeg = 7,
    WinFg = 8,
    WinBg = 9,
    WinHiFg = 10,
    WinHiBg = 11,
    WinNgFg = 15,
    Cursor = 16,
    Button = 17,
    HeaderY = 20,
    HeaderC = 21,
    HeaderR = 22,
    HeaderG = 23,
    HeaderB = 24,
    HeaderM = 25,
    // Fixed colours.
    ColBlack = 50,
    ColRed = 51,
    ColYellow = 52,
    ColBlue = 54,
    ColGreen = 55,
    ColWhite = 57,
    ColCyan = 58,
};

constexpr int kSchemeSlots = 26;      // indices 1-25
constexpr int kSchemeKeyCount = 19;   // the configurable ones

// A configurable colour and its key in section "Color", in file order.
struct ChwSchemeKey {
    ChwColour index;
    const char* key;
};
extern const ChwSchemeKey kSchemeKeys[kSchemeKeyCount];

struct ChwColourScheme {
    uint32_t value[kSchemeSlots] = {};  // by index; unused slots stay 0

    static ChwColourScheme defaults();
    // The colour of a scheme or fixed index; 0 (black) for an unused index.
    uint32_t of(int index) const;
};

}  // namespace prismel
