#include <gtest/gtest.h>

#include <map>
#include <string>

#include "chwin/chw_scheme_io.h"

namespace prismel {
namespace {

class FakeProfile : public Profile {
public:
    int read_int(const char* section, const char* key, int def) const override {
        auto it = values.find(std::string(section) + "/" + key);
        return it == values.end() ? def : std::stoi(it->second);
    }
    std::string read_string(const char* section, const char* key, const std::string& def) const override {
        auto it = values.find(std::string(section) + "/" + key);
        return it == values.end() ? def : it->second;
    }
    void write_int(const char* section, const char* key, int value) override {
        values[std::string(section) + "/" + key] = std::to_string(value);
    }
    void write_string(const char* section, const char* key, const std::string& value) override {
        values[std::string(section) + "/" + key] = value;
    }
    int save() override { return 1; }
    std::map<std::string, std::string> values;
};

TEST(FontSizeLimitTest, LimitedByDesktopEvenAndAtLeastTwelve) {
    EXPECT_EQ(limit_font_size(25, 1280), 24);
    EXPECT_EQ(limit_font_size(11, 1280), 12);
    EXPECT_EQ(limit_font_size(13, 1280), 12);
    EXPECT_EQ(limit_font_size(20, 1280), 20);
    EXPECT_EQ(limit_font_size(21, 1920), 20);
    EXPECT_EQ(limit_font_size(40, 1000), 18);  // 1000 div 106 = 9
    EXPECT_EQ(limit_font_size(40, 600), 12);   // never below 12
    EXPECT_EQ(limit_font_size(-4, 0), 12);
}

TEST(SchemeTest, DefaultsAndFixedColours) {
    const ChwColourScheme d = ChwColourScheme::defaults();
    EXPECT_EQ(d.of(NoticeFg), 0xCCCC33u);
    ChwColourScheme changed = d;
    changed.value[NoticeFg] = 0x123456;  // the fixed colour cannot be changed
    EXPECT_EQ(changed.of(NoticeFg), 0xCCCC33u);
    EXPECT_EQ(d.of(12), 0u);
    EXPECT_EQ(d.of(-1), 0u);
    EXPECT_EQ(d.of(999), 0u);
}

TEST(SchemeIoTest, LoadReadsSizeAndColoursKeepingDefaultsForMissingKeys) {
    ChwScreen s;
    FakeProfile p;
    p.values["General/FontSize"] = "25";
    p.values["Color/WinBg"] = std::to_string(0x102030);
    p.values["Color/HeaderY"] = "16777216";  // out of range: taken as stored
    load_scheme(s, p, 1280);
    EXPECT_EQ(s.font_size(), 24);
    EXPECT_EQ(s.cell_width(), 12);
    EXPECT_EQ(s.cell_height(), 28);
    EXPECT_EQ(s.colour_of(WinBg), 0x102030u);
    EXPECT_EQ(s.colour_of(HeaderY), 0x1000000u);
    EXPECT_EQ(s.colour_of(WinFg), 0xFFFFFFu);
}

TEST(SchemeIoTest, SaveWritesSizeAndTheNineteenKeysOnly) {
    ChwScreen s;
    s.scheme().value[Cursor] = 0x123456;
    s.set_font_size(16);
    FakeProfile p;
    save_scheme(s, p);
    EXPECT_EQ(p.values.size(), 20u);
    EXPECT_EQ(p.values["General/FontSize"], "16");
    EXPECT_EQ(p.values["Color/Cursor"], std::to_string(0x123456));
    EXPECT_EQ(p.values["Color/ScreenBg"], std::to_string(0x002200));
    EXPECT_EQ(p.values["Color/HeaderM"], std::to_string(0xAA33AA));
    EXPECT_EQ(p.values.count("Color/TitleAct"), 1u);

    ChwScreen back;
    load_scheme(back, p, 1920);
    for (const ChwSchemeKey& k : kSchemeKeys) EXPECT_EQ(back.colour_of(k.index), s.colour_of(k.index)) << k.key;
    EXPECT_EQ(back.font_size(), 16);
}

}  // namespace
}  // namespace prismel
