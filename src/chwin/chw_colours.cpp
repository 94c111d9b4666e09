#include "chwin/chw_colours.h"

namespace prismel {

const ChwSchemeKey kSchemeKeys[kSchemeKeyCount] = {
    {ScreenBg, "ScreenBg"}, {TitleFg, "TitleFg"},   {TitleAct, "TitleAct"}, {TitleNeg, "TitleNeg"},
    {FrameAct, "FrameAct"}, {FrameNeg, "FrameNeg"}, {WinFg, "WinFg"},       {WinBg, "WinBg"},
    {WinHiFg, "WinHiFg"},   {WinHiBg, "WinHiBg"},   {WinNgFg, "WinNgFg"},   {Cursor, "Cursor"},
    {Button, "Button"},     {HeaderY, "HeaderY"},   {HeaderC, "HeaderC"},   {HeaderR, "HeaderR"},
    {HeaderG, "HeaderG"},   {HeaderB, "HeaderB"},   {HeaderM, "HeaderM"},
};

ChwColourScheme ChwColourScheme::defaults() {
    ChwColourScheme s;
    s.value[ScreenBg] = 0x002200;
    s.value[TitleFg] = 0x000000;
    s.value[TitleAct] = 0x66CCCC;
    s.value[TitleNeg] = 0x666666;
    s.value[NoticeFg] = 0xCCCC33;
    s.value[FrameAct] = 0x66AA66;
    s.value[FrameNeg] = 0x996666;
    s.value[WinFg] = 0xFFFFFF;
    s.value[WinBg] = 0x333322;
    s.value[WinHiFg] = 0xFFFF33;
    s.value[WinHiBg] = 0xCCCCCC;
    s.value[WinNgFg] = 0x660000;
    s.value[Cursor] = 0x33AA33;
    s.value[Button] = 0xCCCCEE;
    s.value[HeaderY] = 0x33CCCC;
    s.value[HeaderC] = 0xCCCC33;
    s.value[HeaderR] = 0x6666CC;
    s.value[HeaderG] = 0x66CC66;
    s.value[HeaderB] = 0xCC3333;
    s.value[HeaderM] = 0xAA33AA;
    return s;
}

uint32_t ChwColourScheme::of(int index) const {
    switch (index) {
    case NoticeFg: return 0xCCCC33;
    case ColBlack: return 0x000000;
    case ColRed: return 0x0000FF;
    case ColYellow: return 0x00FFFF;
    case ColBlue: return 0xFF0000;
    case ColGreen: return 0x008000;
    case ColWhite: return 0xFFFFFF;
    case ColCyan: return 0xFFFF00;
    default: break;
    }
    return index > 0 && index < kSchemeSlots ? value[index] : 0;
}

}  // namespace prismel
