// The patch editor's keys and mouse, through the same delivery as the main
// window, read back from the grid.
#include <cstdlib>
#include <vector>

#include "data/show_files.h"
#include "setpat_fixture.h"

namespace prismel::test {
namespace {

struct Patched {
    int fixture, layout, start;
};

class SetpatKeys : public SetpatTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(SetpatKeys, OpensWithTitleGridAndBar) {
    EXPECT_EQ(row(kTitleRow, 1, 11), " 灯体の設定");
    EXPECT_EQ(number_of(0), "    1    ");
    EXPECT_EQ(type_of(0), "TURB|--- ");
    EXPECT_EQ(number_of(63), "   64    ");
    EXPECT_EQ(bar(), "TURBO|COLFDR|SCRCHG|COLCOM|先頭Ch|続きCh|Ch解除|全解除|$$");
    EXPECT_EQ(cursor(), 0);
    EXPECT_EQ(cell(cell_column(0), number_row(0)).bg, colour(Cursor));
    EXPECT_EQ(cell(cell_column(1), number_row(1)).bg, colour(WinHiBg));
    EXPECT_EQ(cell(cell_column(0), number_row(0) + 1).bg, colour(HeaderB));
    EXPECT_EQ(setpat_open(backdrop_), 0);
}

TEST_F(SetpatKeys, ContinueWalksOnFromChannelOne) {
    key(kKeyF4);  // COLCOM
    key(kKeyF6);
    EXPECT_EQ(type_of(0), "CLCM|  1 ");
    EXPECT_EQ(cursor(), 1);
    key(kKeyF3);  // SCRCHG
    key(kKeyF6);
    EXPECT_EQ(type_of(1), "SCRL|  5 ");
    key(kKeyF2);
    key(kKeyF6);
    EXPECT_EQ(type_of(2), "CLFD|  6 ");
    key(kKeyF6);
    EXPECT_EQ(type_of(3), "TURB|  9 ");
    EXPECT_EQ(cursor(), 4);
    EXPECT_EQ(rec(1).layout, 3);
    EXPECT_EQ(rec(1).start, 4);
}

TEST_F(SetpatKeys, ContinueRefusedOrWithNothingToFollow) {
    struct Case {
        const char* what;
        std::vector<Patched> patched;
        int fixture;
        const char* message;
    } const cases[] = {
        {"after an unpatched fixture", {}, 3, "前の灯体にチャンネルがありません"},
        {"into another fixture's channel", {{1, 1, 4}, {5, 3, 8}}, 2, "ﾁｬﾝﾈﾙが重複しています"},
        {"beyond the universe", {{9, 1, 508}}, 10, "ﾁｬﾝﾈﾙが超過しています"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_show.reset_patch();
        for (const Patched& p : c.patched) patch(p.fixture, p.layout, p.start);
        go_to(c.fixture);
        key(kKeyF6);
        EXPECT_EQ(message(), c.message);
        EXPECT_EQ(rec(c.fixture).start, kNone);
        EXPECT_EQ(cursor(), c.fixture);
    }
    key(kKeyF9);  // the message goes with the next key
    EXPECT_EQ(message(), "");
}

TEST_F(SetpatKeys, TypedStartTakesTheRangeOfTheType) {
    struct Case {
        int type_key, last;
    };
    for (const Case& c : {Case{kKeyF1, 509}, Case{kKeyF2, 510}, Case{kKeyF3, 512}, Case{kKeyF4, 509}}) {
        key(c.type_key);
        input_.escape();
        key(kKeyF5);
        const LineInputRequest& r = input_.requests.back();
        EXPECT_EQ(r.ranges.int_min, 1);
        EXPECT_EQ(r.ranges.int_max, c.last);
    }
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(to_utf8(r.prompt), "先頭ﾁｬﾝﾈﾙ=");
    EXPECT_EQ(r.column, 2);
    EXPECT_EQ(r.row, kFooterRow);
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(rec(0).start, kNone);
}

TEST_F(SetpatKeys, TypedStartPlacesAndMovesOn) {
    input_.type("100");
    key(kKeyF5);
    EXPECT_EQ(rec(0).start, 99);
    EXPECT_EQ(type_of(0), "TURB|100 ");
    EXPECT_EQ(cursor(), 1);
    input_.type("510");  // beyond a TURBO's range: the input refuses it
    key(kKeyF5);
    EXPECT_EQ(message(), "範囲を超えています");
    EXPECT_EQ(rec(1).start, kNone);
    input_.type("ab");
    key(kKeyF5);
    EXPECT_EQ(message(), "無効な入力文字があります");
    EXPECT_EQ(cursor(), 1);
    EXPECT_EQ(bar(), "TURBO|COLFDR|SCRCHG|COLCOM|先頭Ch|続きCh|Ch解除|全解除|$$");
}

TEST_F(SetpatKeys, OverlapLooksOnlyAtWhereTheStartFalls) {
    patch(10, 1, 20);  // channels 21-24
    struct Case {
        const char* typed;
        bool placed;
    };
    for (const Case& c : {Case{"21", false}, Case{"24", false}, Case{"22", false}, Case{"19", true}}) {
        SCOPED_TRACE(c.typed);
        go_to(0);
        key(kKeyF7);
        go_to(0);
        input_.type(c.typed);
        key(kKeyF5);
        EXPECT_EQ(rec(0).start, c.placed ? std::atoi(c.typed) - 1 : kNone);
        EXPECT_EQ(cursor(), c.placed ? 1 : 0);
        EXPECT_EQ(message(), c.placed ? "灯体11とチャンネルが重なっています" : "ﾁｬﾝﾈﾙが重複しています");
    }
    // Started two channels before fixture 11, fixture 1 runs over its start:
    // kept, and said.
    EXPECT_EQ(type_of(0), "TURB| 19 ");
}

TEST_F(SetpatKeys, TypeChangeKeepsTheStartWithoutATest) {
    patch(0, 3, 10);
    patch(1, 3, 11);
    key(kKeyF1);  // now 11-14 runs over fixture 2's channel 12
    EXPECT_EQ(rec(0).layout, 1);
    EXPECT_EQ(rec(0).start, 10);
    EXPECT_EQ(type_of(0), "TURB| 11 ");
    EXPECT_EQ(message(), "灯体2とチャンネルが重なっています");
    EXPECT_EQ(cursor(), 0);
    key(kKeyF2);
    EXPECT_EQ(type_of(0), "CLFD| 11 ");
    patch(5, 3, 511);  // a scroller on the last channel
    go_to(5);
    key(kKeyF4);  // kept, but past the universe: said
    EXPECT_EQ(rec(5).layout, 4);
    EXPECT_EQ(message(), "ﾁｬﾝﾈﾙが超過しています: この灯体は出力されません");
}

TEST_F(SetpatKeys, UnpatchMovesOnPatchedOrNot) {
    patch(1, 4, 40);
    key(kKeyF7);  // not patched: just moves on
    EXPECT_EQ(cursor(), 1);
    EXPECT_EQ(rec(0).start, kNone);
    key(kKeyDelete);
    EXPECT_EQ(rec(1).start, kNone);
    EXPECT_EQ(rec(1).layout, 4);
    EXPECT_EQ(type_of(1), "CLCM|--- ");
    EXPECT_EQ(cursor(), 2);
    key(kKeyEnd);
    EXPECT_EQ(cursor(), 63);
    key(kKeyF7);  // the last fixture stays
    EXPECT_EQ(cursor(), 63);
}

TEST_F(SetpatKeys, UnpatchAllAsksFirst) {
    patch(0, 4, 0);
    patch(7, 3, 30);
    box_.press({kKeyEnter});  // NO is selected first
    key(kKeyF8);
    ASSERT_EQ(box_.asked.size(), 1u);
    EXPECT_EQ(to_utf8(box_.asked[0].line1), "全てのパッチを解除してもいいですか?");
    EXPECT_EQ(rec(0).start, 0);
    EXPECT_EQ(rec(7).start, 30);
    box_.press({'Y', kKeyEnter});
    key(kKeyF8);
    for (int f = 0; f < kFixtures; ++f) {
        EXPECT_EQ(rec(f).layout, 1);
        EXPECT_EQ(rec(f).start, kNone);
    }
    EXPECT_EQ(type_of(0), "TURB|--- ");
    EXPECT_EQ(type_of(7), "TURB|--- ");
}

TEST_F(SetpatKeys, OtherFunctionKeysDoNothing) {
    patch(0, 2, 3);
    for (int k : {kKeyF9, kKeyF10, kKeyF11, kKeyF12, kKeyEnter, kKeySpace}) EXPECT_EQ(key(k), kResultHandled);
    EXPECT_EQ(rec(0).layout, 2);
    EXPECT_EQ(rec(0).start, 3);
    EXPECT_EQ(cursor(), 0);
    EXPECT_TRUE(setpat_is_open());
}

TEST_F(SetpatKeys, CursorMovesOverTheGridByKeysAndClicks) {
    key(kKeyDown);
    key(kKeyRight);
    EXPECT_EQ(cursor(), 9);
    EXPECT_EQ(cell(cell_column(9), number_row(9)).bg, colour(Cursor));
    EXPECT_EQ(cell(cell_column(0), number_row(0)).bg, colour(WinHiBg));
    struct Case {
        int column, row, fixture;
    };
    for (const Case& c : {Case{cell_column(0) + 3, number_row(0), 0}, Case{cell_column(63) + 8, number_row(63) + 1, 63},
                          Case{cell_column(20), number_row(20) + 1, 20}}) {
        EXPECT_EQ(click(c.column, c.row), 0);
        EXPECT_EQ(cursor(), c.fixture);
    }
    // The gap between cells, the margin and below the grid take no click.
    for (const Case& c : {Case{cell_column(20) + 9, number_row(20), 20}, Case{cell_column(20) + 10, number_row(20), 20},
                          Case{1, number_row(0), 20}, Case{cell_column(0), number_row(63) + 2, 20}}) {
        EXPECT_EQ(click(c.column, c.row), 0);
        EXPECT_EQ(cursor(), c.fixture);
    }
    click(cell_column(5), number_row(5));
    key(kKeyF6);  // nothing before fixture 6 is patched
    EXPECT_EQ(cursor(), 5);
}

TEST_F(SetpatKeys, ABarThatWasReplacedComesBackOnTheNextTick) {
    screen_.draw_fkey_bar("X|Y");
    tick();
    EXPECT_EQ(bar(), "TURBO|COLFDR|SCRCHG|COLCOM|先頭Ch|続きCh|Ch解除|全解除|$$");
}

TEST_F(SetpatKeys, EscWritesThePatchFile) {
    patch(3, 4, 300);
    patch(4, 9, -5);
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(setpat_is_open());
    EXPECT_EQ(setpat_cursor_fixture(), kNone);
    const std::vector<unsigned char> bytes = read_bytes(show_file_name(folder_.folder(), ShowTable::kPatch));
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[12], 4);
    EXPECT_EQ(bytes[14], 300 & 0xFF);
    EXPECT_EQ(bytes[15], 300 >> 8);
    EXPECT_EQ(bytes[16], 9);  // unedited records are written as they are
    EXPECT_EQ(bytes[18], 0xFB);
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(setpat_close(), 0);
}

}  // namespace
}  // namespace prismel::test
