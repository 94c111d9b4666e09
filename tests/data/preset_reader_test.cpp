#include "data/preset_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/text_codec.h"
#include "support/temp_dir.h"

namespace prismel {
namespace {

struct PresetFile : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<ColourTable> colours = std::make_unique<ColourTable>();
    int read(const std::string& text) {
        test::write_text(dir.file("P.DEF"), text);
        return read_preset_colours(*colours, dir.file("P.DEF"));
    }
    std::string name(int i) { return colours->rec[i].name; }
    std::string message() { return to_utf8(colours->message); }
};

TEST_F(PresetFile, EmptyCommentsAndSectionHeadersSucceed) {
    colours->rec[3].y = 9;
    EXPECT_EQ(read(""), 1);
    EXPECT_EQ(colours->rec[3].y, 0);
    EXPECT_EQ(read("; only comments\n;preset_color=1,X,1,2,3\n[preset_color]\n\n"), 1);
    EXPECT_EQ(name(1), "");
    EXPECT_EQ(read("color=\n"), 1);
}

TEST_F(PresetFile, DefinitionsBlanksQuotesAndLastPreset) {
    EXPECT_EQ(read("preset_color=0,RED,0,255,255\n preset_color = 5 , A B , 10 , 20 , 30 \n"
                   "preset_color=6,\"A B\",1,2,300\npreset_color=399,LAST,1,2,3"), 1);
    EXPECT_EQ(name(0), "RED");
    EXPECT_EQ(colours->rec[0].m, 255);
    EXPECT_EQ(name(5), "AB");
    EXPECT_EQ(colours->rec[5].c, 30);
    EXPECT_EQ(name(6), "A B");
    EXPECT_EQ(colours->rec[6].c, 300 & 0xFF);
    EXPECT_EQ(name(399), "LAST");
}

TEST_F(PresetFile, ErrorsNameLineAndKeyAndKeepEarlierPresets) {
    EXPECT_EQ(read("preset_color=1,ONE,1,2,3\npreset_color=400,X,1,2,3\npreset_color=2,TWO,1,2,3\n"), 0);
    EXPECT_EQ(message(), "2:[preset_color]の設定が間違っています");
    EXPECT_EQ(name(1), "ONE");
    EXPECT_EQ(name(2), "");
    EXPECT_EQ(read("\n\ncolor=1\n"), 0);
    EXPECT_EQ(message(), "3:[color]は不正な項目名です");
    EXPECT_EQ(read("preset_color=-1,X,1,2,3\n"), 0);
    EXPECT_EQ(read("preset_color=7,SEVEN,1,2\n"), 0);  // C missing: name and levels read stay
    EXPECT_EQ(name(7), "SEVEN");
    EXPECT_EQ(colours->rec[7].m, 2);
}

TEST_F(PresetFile, CrLfReadsLikeLf) {
    EXPECT_EQ(read("preset_color=1,ONE,1,2,3\r\n\r\ncolor=1\r\n"), 0);
    EXPECT_EQ(message(), "3:[color]は不正な項目名です");
    EXPECT_EQ(name(1), "ONE");
}

TEST_F(PresetFile, LongLinesAreReadAsFollowingLines) {
    // 79 characters, then the rest of the line counts as line 2.
    std::string comment = ";" + std::string(78, 'x') + "color=1\n";
    EXPECT_EQ(read(comment), 0);
    EXPECT_EQ(message(), "2:[color]は不正な項目名です");
    // Exactly 79 characters and a line break: the break comes in as line 2, ignored.
    std::string line = "preset_color=3,ABC,1,2,3;" + std::string(79 - 25, 'y') + "\ncolor=1\n";
    EXPECT_EQ(read(line), 0);
    EXPECT_EQ(message(), "3:[color]は不正な項目名です");
}

TEST_F(PresetFile, LongNamesAreCutAtWholeCharacters) {
    std::string kanji = prismel::sj("表");  // 0x95 0x5C
    EXPECT_EQ(read("preset_color=399,ABCDEFGH,1,2,3\npreset_color=398,ABCD" + kanji + ",4,5,6\n"), 1);
    EXPECT_EQ(name(399), "ABCDE");
    EXPECT_EQ(name(398), "ABCD");
    EXPECT_EQ(colours->rec[398].y, 4);
    EXPECT_EQ(colours->rec[400].name[0], 0);  // nothing spilt into the user colours
}

TEST_F(PresetFile, UserColoursUntouchedAndMissingFileKeepsColours) {
    std::strcpy(colours->rec[400].name, "USR");
    colours->rec[499].c = 77;
    EXPECT_EQ(read("preset_color=0,RED,0,255,255\n"), 1);
    EXPECT_EQ(name(400), "USR");
    EXPECT_EQ(colours->rec[499].c, 77);
    std::string long_path = dir.folder() + std::string(300, 'd') + "/X.DEF";
    EXPECT_EQ(read_preset_colours(*colours, long_path), 0);
    EXPECT_EQ(name(0), "RED");
    EXPECT_LE(std::strlen(colours->message), 128u);
    EXPECT_NE(message().find("X.DEF]が開けません"), std::string::npos);
    EXPECT_EQ(read_preset_colours(*colours, ""), 0);
    EXPECT_EQ(message(), "[]が開けません");
}

TEST(ShippedPresets, ReadsAll400WithoutError) {
    auto colours = std::make_unique<ColourTable>();
    ASSERT_EQ(read_preset_colours(*colours, PRISMEL_SOURCE_DIR "/assets/PRSMDATA.DEF"), 1);
    for (int i = 0; i < kPresets; ++i) EXPECT_NE(colours->rec[i].name[0], 0) << i;
}

}  // namespace
}  // namespace prismel
