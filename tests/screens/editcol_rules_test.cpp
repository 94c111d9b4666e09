// The user colour editor's rules, without the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chwin/chw_keys.h"
#include "platform/text_codec.h"
#include "screens/editcol_rules.h"

namespace prismel {
namespace {

TEST(EditcolRules, LevelStepsStopAtZeroAnd255) {
    struct Case {
        int level, step, expected;
    } cases[] = {{0, -1, 0}, {0, 1, 1}, {1, -1, 0}, {254, 1, 255}, {255, 1, 255}, {255, -1, 254}, {128, 0, 128}};
    for (const Case& c : cases)
        EXPECT_EQ(stepped_level(c.level, c.step), c.expected) << c.level << " by " << c.step;
}

TEST(EditcolRules, TypedCaseFollowsShiftAndCapsLock) {
    struct Case {
        bool shift, caps;
        char letter;
    } cases[] = {{false, false, 'q'}, {true, false, 'Q'}, {false, true, 'Q'}, {true, true, 'q'}};
    for (const Case& c : cases) {
        EXPECT_EQ(typed_character('Q', c.shift, c.caps), c.letter) << c.shift << c.caps;
        // Digits are digits whatever the modifiers.
        EXPECT_EQ(typed_character('7', c.shift, c.caps), '7');
    }
    EXPECT_EQ(typed_character(kKeyA, false, false), 'a');
    EXPECT_EQ(typed_character(kKeyZ, false, true), 'Z');
    for (int k : {kKeyRefresh, kKeySpace, kKeyF1, kKeyNumpad0, kKeyShiftWheelUp, 64, 91})
        EXPECT_EQ(typed_character(k, false, false), 0) << k;
}

TEST(EditcolRules, WhichColumnTakesWhichCharacter) {
    struct Case {
        int column;
        char c;
        bool takes;
    } cases[] = {
        {kEditcolNumber, '4', true},  {kEditcolNumber, 'a', false}, {kEditcolName, '4', true},
        {kEditcolName, 'a', true},    {kEditcolName, 'Z', true},    {kEditcolName, '-', false},
        {kEditcolY, '0', true},       {kEditcolM, '9', true},       {kEditcolC, 'x', false},
        {5, '1', false},              {-1, '1', false},
    };
    for (const Case& c : cases) EXPECT_EQ(column_takes(c.column, c.c), c.takes) << c.column << " " << c.c;
}

TEST(EditcolRules, ClickColumnsFromWindowColumnOne) {
    struct Case {
        int offset, column;
    } cases[] = {{-1, -1}, {0, 0}, {4, 0},  {5, 1},  {13, 1}, {14, -1}, {18, -1},
                 {19, 2},  {22, 2}, {23, 3}, {27, 3}, {28, 4}, {34, 4},  {200, 4}};
    for (const Case& c : cases) EXPECT_EQ(column_of_click(c.offset), c.column) << c.offset;
}

std::string field_bytes(const ColourRecord& r) { return std::string(r.name, sizeof r.name); }

TEST(EditcolRules, NamesLandWholeAndTerminated) {
    struct Case {
        const char* typed;     // UTF-8
        const char* stored;    // UTF-8, followed by zeros to the end of the field
    } cases[] = {
        {"ABCDE", "ABCD"},      // four bytes at most
        {"能表ソ", "能表"},       // trail bytes 0x5C stay as they are
        {"ABC表", "ABC"},        // no half of a character
    };
    for (const Case& c : cases) {
        ColourRecord r;
        std::memset(&r, 'x', sizeof r);
        r.y = 1;
        set_colour_name(r, sj(c.typed));
        std::string expected = sj(c.stored);
        expected.resize(sizeof r.name, '\0');
        EXPECT_EQ(field_bytes(r), expected) << c.typed;
        EXPECT_EQ(r.y, 1);
    }
}

TEST(EditcolRules, RepairCutsADamagedNameToWhatIsShown) {
    struct Case {
        std::string field;  // six bytes as read from a file
        const char* repaired;
    } cases[] = {
        {"ABCDEF", "ABCDE"},                   // no terminator
        {std::string("ABCD") + sj("表"), "ABCD"},           // a lead byte in the fifth byte: cut before it
    };
    for (const Case& c : cases) {
        ColourRecord r{};
        std::memcpy(r.name, c.field.data(), sizeof r.name);
        r.c = 9;
        repair_colour_name(r);
        std::string expected = sj(c.repaired);
        expected.resize(sizeof r.name, '\0');
        EXPECT_EQ(field_bytes(r), expected) << c.repaired;
        EXPECT_EQ(r.c, 9);
    }
}

}  // namespace
}  // namespace prismel
