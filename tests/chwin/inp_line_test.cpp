#include "chwin/inp_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chwin/inp_line_scripted.h"
#include "picker_fixture.h"

namespace prismel {
namespace {

const std::string kInvalid = sj("無効な入力文字があります");
const std::string kOutOfRange = sj("範囲を超えています");

std::string message_of(const InputOutcome& o) { return o.message ? o.message : ""; }

TEST(InputValidation, IntegerModeWithTheDefaultRange) {
    const InputRanges def;
    InputOutcome zero = validate_input("0", inp_mode::kInteger, def);
    EXPECT_EQ(zero.code, kResultOk);
    EXPECT_EQ(zero.int_value, 0);
    EXPECT_EQ(zero.message, nullptr);

    InputOutcome negative = validate_input("-5", inp_mode::kInteger, def);
    EXPECT_EQ(negative.code, kResultCancel);
    EXPECT_EQ(message_of(negative), kOutOfRange);

    for (const char* text : {"abc", "-1", "", "1.5", "12a", "99999999999"}) {
        InputOutcome o = validate_input(text, inp_mode::kInteger, def);
        EXPECT_EQ(o.code, kResultCancel) << text;
        EXPECT_EQ(message_of(o), kInvalid) << text;
        EXPECT_EQ(o.int_value, -1) << text;
    }
}

TEST(InputValidation, IntegerModeRangeIsInclusive) {
    InputRanges r;
    r.int_min = 1;
    r.int_max = 200;
    EXPECT_EQ(validate_input("1", 0, r).code, kResultOk);
    EXPECT_EQ(validate_input("200", 0, r).code, kResultOk);
    EXPECT_EQ(message_of(validate_input("0", 0, r)), kOutOfRange);
    EXPECT_EQ(message_of(validate_input("201", 0, r)), kOutOfRange);
    InputOutcome padded = validate_input(" 12 ", 0, r);
    EXPECT_EQ(padded.code, kResultOk);
    EXPECT_EQ(padded.int_value, 12);
    EXPECT_EQ(padded.text, " 12 ");
}

TEST(InputValidation, RealMode) {
    InputRanges r;
    r.real_max = 10.0;
    InputOutcome ok = validate_input("2.5", inp_mode::kReal, r);
    EXPECT_EQ(ok.code, kResultOk);
    EXPECT_DOUBLE_EQ(ok.real_value, 2.5);
    EXPECT_EQ(ok.int_value, -1);  // not an integer text

    InputOutcome whole = validate_input("3", inp_mode::kReal, r);
    EXPECT_EQ(whole.int_value, 3);
    EXPECT_DOUBLE_EQ(whole.real_value, 3.0);

    for (const char* text : {"abc", "", "1,5", "nan", "inf", "1e400"}) {
        InputOutcome o = validate_input(text, inp_mode::kReal, r);
        EXPECT_EQ(o.code, kResultCancel) << text;
        EXPECT_EQ(message_of(o), kInvalid) << text;
        EXPECT_DOUBLE_EQ(o.real_value, -1.0) << text;
    }
    EXPECT_EQ(message_of(validate_input("10.5", inp_mode::kReal, r)), kOutOfRange);
    EXPECT_EQ(validate_input("10", inp_mode::kReal, r).code, kResultOk);
}

TEST(InputValidation, ATypedMinusOneIsRangeCheckedInRealMode) {
    InputOutcome o = validate_input("-1", inp_mode::kReal, InputRanges{});
    EXPECT_EQ(o.code, kResultCancel);
    EXPECT_EQ(message_of(o), kOutOfRange);

    InputRanges wide;
    wide.real_min = -5.0;
    EXPECT_EQ(validate_input("-1", inp_mode::kReal, wide).code, kResultOk);
}

TEST(InputValidation, TextModeAcceptsAnything) {
    InputOutcome empty = validate_input("", inp_mode::kText, InputRanges{});
    EXPECT_EQ(empty.code, kResultOk);
    EXPECT_EQ(empty.text, "");
    EXPECT_DOUBLE_EQ(empty.real_value, 0.0);
    EXPECT_EQ(validate_input("-1", inp_mode::kText | inp_mode::kColourRef, InputRanges{}).code, kResultOk);
}

TEST(InputValidation, ClipNeverCutsADoubleByteCharacter) {
    const std::string aiu = sj("あいう");
    EXPECT_EQ(clip_cp932(aiu, 3), sj("あ"));
    EXPECT_EQ(clip_cp932(aiu, 4), sj("あい"));
    EXPECT_EQ(clip_cp932("abcdef", 4), "abcd");
    EXPECT_EQ(clip_cp932("abc", 0), "");
    EXPECT_EQ(clip_cp932(std::string("a\x82"), 5), std::string("a\x82"));  // a lone lead byte at the end
}

class LineInputTest : public PickerFixture {
protected:
    void SetUp() override {
        PickerFixture::SetUp();
        screen.draw_fkey_bar("A|B|C");
    }
    LineInputRequest request(uint32_t mode, int max_length = 10) {
        LineInputRequest r;
        r.prompt = "No.";
        r.column = 3;
        r.row = 5;
        r.max_length = max_length;
        r.mode = mode;
        return r;
    }
    ScriptedLineInput line;
    ScopedLineInput installed{line};
};

TEST_F(LineInputTest, EnterReturnsTheValuesAndPutsTheLabelsBack) {
    line.type("42");
    LineInputResult r = execute_line_input(screen, request(inp_mode::kSceneRef));
    EXPECT_EQ(r.code, kResultOk);
    EXPECT_EQ(r.int_value, 42);
    EXPECT_EQ(r.text, "42");
    EXPECT_EQ(r.reference_requested, 0);
    ASSERT_EQ(line.fkey_labels_seen.size(), 1u);
    EXPECT_EQ(line.fkey_labels_seen[0], sj("$$ｼｰﾝ参"));
    EXPECT_STREQ(screen.fkey_labels(), "A|B|C");
    EXPECT_FALSE(line_input_open());
}

TEST_F(LineInputTest, F3LeavesTheBarEmptyForTheReferenceList) {
    line.f3();
    LineInputResult r = execute_line_input(screen, request(inp_mode::kChaseRef | inp_mode::kColourRef));
    EXPECT_EQ(r.code, kResultOk);
    EXPECT_EQ(r.reference_requested, kRefRequestKey);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(line.fkey_labels_seen[0], sj("$$ﾁｪｲｽ参"));
    EXPECT_STREQ(screen.fkey_labels(), "");
}

TEST_F(LineInputTest, F3WithoutAnOfferDoesNotCloseTheLine) {
    line.f3();
    line.type("7");
    LineInputResult r = execute_line_input(screen, request(0));
    EXPECT_EQ(r.code, kResultOk);
    EXPECT_EQ(r.reference_requested, 0);
    EXPECT_EQ(r.int_value, 7);
    EXPECT_EQ(line.fkey_labels_seen[0], "");
}

TEST_F(LineInputTest, ARefusalGoesToTheMessageLineWithTheBeep) {
    screen.beep_option = true;
    line.type("abc");
    LineInputResult r = execute_line_input(screen, request(0));
    EXPECT_EQ(r.code, kResultCancel);
    EXPECT_EQ(message(), kInvalid);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_STREQ(screen.fkey_labels(), "A|B|C");
}

TEST_F(LineInputTest, EscapeCancelsWithAnEmptyText) {
    line.escape();
    LineInputRequest req = request(inp_mode::kText);
    req.text = "old";
    LineInputResult r = execute_line_input(screen, req);
    EXPECT_EQ(r.code, kResultCancel);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(message(), "");
}

TEST_F(LineInputTest, TheFieldHoldsNoMoreThanTheMaximumLength) {
    LineInputRequest req = request(inp_mode::kText, 4);
    req.text = sj("あいう");
    line.enter();
    EXPECT_EQ(execute_line_input(screen, req).text, sj("あい"));
    line.type("abcdefgh");
    EXPECT_EQ(execute_line_input(screen, req).text, "abcd");
}

TEST_F(LineInputTest, UnscriptedOrUninstalledLinesAreCancelled) {
    EXPECT_EQ(execute_line_input(screen, request(inp_mode::kText)).code, kResultCancel);
    set_line_input(nullptr);
    EXPECT_EQ(execute_line_input(screen, request(inp_mode::kText)).code, kResultCancel);
    set_line_input(&line);
}

}  // namespace
}  // namespace prismel
