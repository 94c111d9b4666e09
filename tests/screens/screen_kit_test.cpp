// The pieces every screen shares: typed numbers and durations, fixture
// types, name fields, the asks, the picker result, the bar, the output switch
// and the table written at close.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "data/cue_number.h"
#include "data/fixture_types.h"
#include "screen_fixture.h"
#include "screens/output_toggle.h"
#include "screens/picked.h"
#include "screens/screen_ask.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel::test {
namespace {

TEST(TypedNumbers, SecondsBecomeExactTwentiethsAndCueNumbersTenths) {
    struct Case {
        double typed;
        int stored;
    } seconds[] = {{4.35, 87}, {0.3, 6}, {1.0, 20}, {99.9, 1998}, {0.04, 0}, {0.0, 0}, {-2.0, 0}};
    for (const Case& c : seconds) EXPECT_EQ(stored_of_seconds(c.typed).value(), c.stored) << c.typed;
    EXPECT_DOUBLE_EQ(seconds_of(StoredDuration(87)), 4.35);

    struct Tenths {
        double typed;
        int tenths;
    } cues[] = {{12.5, 125}, {5.1, 51}, {1.0, 10}, {3276.7, 32767}, {3276.8, -1}, {-0.1, -1}, {0.0, 0}};
    for (const Tenths& c : cues) EXPECT_EQ(cue_tenths_of(c.typed), c.tenths) << c.typed;
}

TEST(TypedNumbers, NudgesStayWithinZeroAnd1998) {
    struct Case {
        int from, direction, to;
    } cases[] = {{20, 1, 22}, {20, -1, 18}, {1996, 1, 1998}, {1998, 1, 1998}, {1997, 1, 1997},
                 {2, -1, 0},  {1, -1, 1},   {0, -1, 0},      {5000, 1, 5000}, {5000, -1, 4998}};
    for (const Case& c : cases)
        EXPECT_EQ(nudged(StoredDuration(c.from), c.direction).value(), c.to) << c.from << " " << c.direction;
}

TEST(FixtureTypes, ChannelsAndLabelsOfEveryLayout) {
    struct Case {
        int layout, channels;
        const char *grid, *key;
    } cases[] = {{1, 4, "TURB", "TURBO"}, {2, 3, "CLFD", "COLFDR"}, {3, 1, "SCRL", "SCRCHG"},
                 {4, 4, "CLCM", "COLCOM"}, {9, 3, "CLFD", "COLFDR"}, {-1, 3, "CLFD", "COLFDR"}};
    for (const Case& c : cases) {
        EXPECT_EQ(channels_of_layout(c.layout), c.channels) << c.layout;
        EXPECT_STREQ(layout_grid_label(c.layout), c.grid);
        EXPECT_STREQ(layout_key_label(c.layout), c.key);
    }
}

TEST(NameField, ReadsNoFurtherThanItsFieldAndKeepsWholeCharacters) {
    char full[21];
    std::memset(full, 'A', sizeof full);  // no terminator anywhere
    EXPECT_EQ(std::string(name_text(full).text), std::string(20, 'A'));

    const std::string table = sj("表ソ能");  // trail bytes 0x5C
    char field[6] = {};
    std::memcpy(field, table.data(), 6);  // three whole characters, no room for a terminator
    EXPECT_EQ(to_utf8(name_text(field).text), "表ソ");
    char cut[6] = {'A', 'B', 'C', 'D', static_cast<char>(0x95), 0};  // a lead byte without its trail
    EXPECT_STREQ(name_text(cut).text, "ABCD");
}

TEST(NameField, WrittenAndRepairedWithWholeCharactersAndZerosAfter) {
    struct Case {
        std::string text;  // CP932, `bytes` of it offered to a six-byte field
        std::size_t bytes;
        std::string stored;  // then zeros to the end of the field
    } const cases[] = {
        {"RED", 3, "RED"},
        {"ABCDEF", 6, "ABCDE"},                            // the last byte is the terminator's
        {sj("能表ソ"), 6, sj("能表")},                     // trail bytes 0x5C stay; no half of ソ
        {std::string("ABC") + sj("表"), 5, std::string("ABC") + sj("表")},
        {std::string("ABCD") + sj("表"), 6, "ABCD"},      // its lead byte would be the fifth
        {std::string("AB\0zzz", 6), 6, "AB"},              // up to a terminator
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        char field[6];
        std::memset(field, 'x', sizeof field);
        put_name(field, c.text.data(), c.bytes);
        std::string expected = c.stored;
        expected.resize(sizeof field, '\0');
        EXPECT_EQ(std::string(field, sizeof field), expected) << c.stored;
        // A field read from a damaged file, repaired in place.
        std::memset(field, 0, sizeof field);
        std::memcpy(field, c.text.data(), std::min(c.text.size(), sizeof field));
        repair_name(field);
        EXPECT_EQ(std::string(field, sizeof field), expected) << c.stored;
    }
}

class ScreenKit : public ScreenTest {};

TEST_F(ScreenKit, AnswersSayHowTheInputEnded) {
    input_.type("42");
    input_.type("x");
    input_.f3();
    input_.escape();
    const Ask at = Ask(5, 6, 3).with_text("4").with_list(inp_mode::kSceneRef);
    IntAnswer a = ask_integer(at, 1, 200);
    EXPECT_TRUE(a.ok());
    EXPECT_EQ(a.value, 42);
    EXPECT_EQ(ask_integer(at, 1, 200).answer, Answer::kCancelled);  // refused: not a number
    EXPECT_EQ(message(), "無効な入力文字があります");
    EXPECT_EQ(ask_integer(at, 1, 200).answer, Answer::kListRequested);
    EXPECT_EQ(ask_text(at).answer, Answer::kCancelled);

    ASSERT_EQ(input_.requests.size(), 4u);
    const LineInputRequest& r = input_.requests[0];
    EXPECT_EQ(r.column, 5);
    EXPECT_EQ(r.row, 6);
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(r.text, "4");
    EXPECT_EQ(r.mode, inp_mode::kInteger | inp_mode::kSceneRef);
    EXPECT_EQ(r.ranges.int_min, 1);
    EXPECT_EQ(r.ranges.int_max, 200);
    EXPECT_EQ(input_.requests[3].mode, inp_mode::kText | inp_mode::kSceneRef);

    input_.type("4.35");
    input_.type("100");
    DurationAnswer d = ask_seconds(Ask(0, 0, 4));
    EXPECT_TRUE(d.ok());
    EXPECT_EQ(d.value.value(), 87);
    EXPECT_FALSE(ask_seconds(Ask(0, 0, 4)).ok());
    EXPECT_EQ(message(), "範囲を超えています");
}

TEST_F(ScreenKit, YesNoAndNoticeGoToTheMessageBox) {
    box_.press({kKeyLeft, kKeyEnter});
    box_.press({kKeyEnter});
    EXPECT_TRUE(ask_yes_no(sj("本当に初期化していいですか?")));
    EXPECT_FALSE(ask_yes_no(sj("本当に初期化していいですか?")));  // NO is selected first
    tell(sj("保存が完了しました"));
    ASSERT_EQ(box_.asked.size(), 3u);
    EXPECT_EQ(box_.asked[0].kind, kMsgYesNo);
    EXPECT_EQ(box_.asked[2].kind, kMsgOk);
}

TEST_F(ScreenKit, APickedEntryIsTakenOnceAndACancelledListGivesNone) {
    ASSERT_EQ(open_scene_list(backdrop_), 1);
    key(kKeyDown);
    key(kKeyDown);
    key(kKeyEnter);
    Picked p = take_picked(screen_);
    EXPECT_TRUE(p.is(kPickedScene));
    EXPECT_EQ(p.index, 2);
    EXPECT_EQ(take_picked(screen_).list, kPickedNone);

    ASSERT_EQ(open_colour_list(backdrop_), 1);
    key(kKeyEsc);
    p = take_picked(screen_);
    EXPECT_EQ(p.list, kPickedColour);
    EXPECT_FALSE(p.is(kPickedColour));
}

TEST_F(ScreenKit, BarComesBackUnlessTheInputIsUpAndCaptionIsPadded) {
    screen_.draw_fkey_bar("A|B");
    keep_fkey_bar(screen_, "X|Y");
    EXPECT_EQ(bar(), "X|Y");
    write_caption(screen_, "caption");
    EXPECT_EQ(row(kCaptionRow, 1, 72), "caption" + std::string(65, ' '));
    EXPECT_EQ(cell(1, kCaptionRow).bg, colour(HeaderG));
}

TEST_F(ScreenKit, OutputSwitchGivesTheShowBackExactly) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 3, f);
    set_colour(1, "R", 200, 0, 0);
    set_colour(2, "G", 10, 0, 0);
    g_show.scenes[0].colour[0] = 1;
    g_show.scenes[0].size[0] = 255;
    g_show.scenes[1].colour[0] = 2;
    use_cue(0, 0, 40);
    g_engine.go_to_cue(0);
    step(8);
    const DmxFrame expected = frame_;  // the show alone, eight steps into its fade

    g_engine.initialise();
    g_engine.release();
    frame_ = DmxFrame{};
    g_engine.go_to_cue(0);
    step(7);

    OutputToggle out;
    out.note(g_engine);
    EXPECT_TRUE(out.toggle(true, [] { g_engine.call_scene(1, StoredDuration(0)); }));
    EXPECT_TRUE(out.testing());
    step();
    EXPECT_EQ(frame_[0], 10);
    EXPECT_FALSE(out.toggle(true, [] {}));
    EXPECT_FALSE(out.testing());
    step();
    EXPECT_EQ(frame_, expected);
    EXPECT_FALSE(out.toggle(false, [] {}));  // nothing to play: stays off
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
}

TEST_F(ScreenKit, ATableThatCannotBeWrittenIsToldAndTheOldFileStays) {
    g_show.scenes[3].size[0] = 9;
    EXPECT_EQ(write_show_table(ShowTable::kScenes), 1);
    EXPECT_EQ(std::filesystem::file_size(folder_.file("PRSMDATA.SCN")), 42600u);

    env_.program_folder = folder_.file("missing") + "/";
    EXPECT_EQ(write_show_table(ShowTable::kCues), 0);
    EXPECT_EQ(message(), "[PRSMDATA.CUE]が書き込めません");
    EXPECT_EQ(host_.beeps, 0);  // the beep option is off in tests
}

}  // namespace
}  // namespace prismel::test
