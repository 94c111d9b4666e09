#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chwin/chw_keys.h"
#include "chwin/chw_painter.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

struct Op {
    std::string kind;  // fill, text, edge, edge-outer
    ChwRect r;
    uint32_t colour = 0;
    unsigned sides = 0;
    std::string bytes;
};

class RecordingCanvas : public ChwCanvas {
public:
    void set_font_size(int px) override { font_size = px; }
    void fill(const ChwRect& r, uint32_t c) override { ops.push_back({"fill", r, c}); }
    void text(int x, int y, const unsigned char* b, int n, int height, uint32_t fg, uint32_t) override {
        ops.push_back({"text", {x, y, x + n * font_size / 2, y + height}, fg, 0,
                       std::string(reinterpret_cast<const char*>(b), n)});
    }
    void edge(const ChwRect& r, unsigned sides, ChwEdge kind) override {
        ops.push_back({kind == ChwEdge::Raised ? "edge" : "edge-outer", r, 0, sides});
    }
    void push_clip(const ChwRect& r) override { ops.push_back({"clip", r}); }
    void pop_clip() override { ops.push_back({"unclip", {}}); }
    int client_width() const override { return width; }
    int client_height() const override { return height; }

    // Operations that touch pixels inside the cell at (c, r), fs = 20.
    std::vector<Op> at_cell(int c, int r) const {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.r.left <= c * 10 && op.r.right > c * 10 && op.r.top <= r * 24 + 12 && op.r.bottom > r * 24 + 12)
                out.push_back(op);
        return out;
    }
    int texts() const {
        int n = 0;
        for (const Op& op : ops) n += op.kind == "text";
        return n;
    }

    int font_size = 0;
    int width = 1280;
    int height = 1536;
    std::vector<Op> ops;
};

class PainterTest : public ::testing::Test {
protected:
    ChwScreen s;
    RecordingCanvas canvas;
};

TEST_F(PainterTest, PlainTextFillsTheCellThenDrawsBelowTheTop) {
    s.move_cursor(3, 2);
    s.set_colours(WinHiFg, WinBg);
    s.write("A");
    paint_rows(s, canvas, 2, 2);
    EXPECT_EQ(canvas.font_size, 20);
    const auto ops = canvas.at_cell(3, 2);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].kind, "fill");
    EXPECT_EQ(ops[0].r, (ChwRect{30, 48, 40, 72}));
    EXPECT_EQ(ops[0].colour, s.colour_of(WinBg));
    EXPECT_EQ(ops[1].kind, "text");
    EXPECT_EQ(ops[1].r, (ChwRect{30, 50, 40, 72}));  // (x, y + 2), to the cell bottom
    EXPECT_EQ(ops[1].colour, s.colour_of(WinHiFg));
    EXPECT_EQ(canvas.texts(), 128);  // one row of the visible columns
}

TEST_F(PainterTest, DoubleByteCharacterIsOneGlyphOverTwoCells) {
    s.move_cursor(0, 0);
    s.write(sj("色A"));
    paint_rows(s, canvas, 0, 0);
    ASSERT_GE(canvas.ops.size(), 2u);
    EXPECT_EQ(canvas.ops[0].r, (ChwRect{0, 0, 20, 24}));
    EXPECT_EQ(canvas.ops[1].bytes, std::string(sj("色")));
    EXPECT_EQ(canvas.ops[2].r, (ChwRect{20, 0, 30, 24}));
    EXPECT_EQ(canvas.ops[3].bytes, "A");
    EXPECT_EQ(canvas.texts(), 127);
}

TEST_F(PainterTest, GaugesAreBarsNeverGlyphs) {
    s.move_cursor(0, 0);
    s.write_level_gauge(0, HeaderY);
    s.write_level_gauge(255, HeaderY);
    s.set_bg(WinBg);
    s.set_attribute(kAttrUnderline);
    s.write_level_gauge(128, HeaderG);
    paint_rows(s, canvas, 0, 0);
    for (const Op& op : canvas.ops)
        if (op.kind == "text") EXPECT_NE(static_cast<unsigned char>(op.bytes[0]), 0xF0);
    // Level 0: a one-pixel bar at 9/10 of the font height, in blue.
    EXPECT_EQ(canvas.ops[1].r, (ChwRect{0, 18, 13, 19}));
    EXPECT_EQ(canvas.ops[1].colour, s.colour_of(ColBlue));
    // Level 255: from the top of the cell.
    EXPECT_EQ(canvas.ops[3].r, (ChwRect{20, 0, 33, 19}));
    EXPECT_EQ(canvas.ops[3].colour, s.colour_of(HeaderY));
    // Under an underline row the gauge is still a bar: n = 8.
    EXPECT_EQ(canvas.ops[6].r, (ChwRect{40, 8, 53, 19}));
}

TEST_F(PainterTest, BoxedSingleByteGetsLeftTopAndBottomEdges) {
    s.move_cursor(5, 1);
    s.set_attribute(kAttrBoxed);
    s.write("X");
    paint_rows(s, canvas, 1, 1);
    const auto ops = canvas.at_cell(5, 1);
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[2].kind, "edge");
    EXPECT_EQ(ops[2].sides, kSideLeft | kSideTop | kSideBottom);
    EXPECT_EQ(ops[2].r, (ChwRect{50, 24, 60, 48}));
    EXPECT_EQ(ops[3].kind, "edge-outer");
    EXPECT_EQ(ops[3].sides, kSideLeft | kSideTop | kSideBottom);
}

TEST_F(PainterTest, ExtraOuterEdgesOnlyWithARaisedEdge) {
    s.move_cursor(0, 0);
    s.set_attribute(0x410);  // left frame column
    s.write(" ");
    s.set_attribute(0x400);  // outer bits alone draw nothing
    s.write(" ");
    paint_rows(s, canvas, 0, 0);
    auto ops = canvas.at_cell(0, 0);
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[2].sides, kSideLeft);
    EXPECT_EQ(ops[3].sides, kSideLeft | kSideRight);
    EXPECT_EQ(canvas.at_cell(1, 0).size(), 2u);
}

TEST_F(PainterTest, BarAndUnderlineRow) {
    s.move_cursor(0, 1);
    s.set_colours(WinHiBg, WinBg);
    s.set_attribute(kAttrBar);
    s.write("a");
    s.set_attribute(kAttrUnderline | 0x80);
    s.set_colours(WinFg, Cursor);
    s.write("b");
    paint_rows(s, canvas, 1, 1);
    const auto& o = canvas.ops;
    EXPECT_EQ(o[0].r, (ChwRect{0, 24, 10, 48}));
    EXPECT_EQ(o[1].r, (ChwRect{0, 24 + 6, 10, 48 - 6}));  // shrunk by fs / 3
    EXPECT_EQ(o[1].colour, s.colour_of(WinHiBg));
    EXPECT_EQ(o[2].kind, "edge-outer");
    EXPECT_EQ(o[2].sides, kSideTop | kSideBottom);
    EXPECT_EQ(o[3].r, (ChwRect{10, 44, 20, 48}));  // bottom strip in WinBg
    EXPECT_EQ(o[3].colour, s.colour_of(WinBg));
    EXPECT_EQ(o[4].kind, "text");
    EXPECT_EQ(o[4].r, (ChwRect{10, 24, 20, 44}));  // two pixels higher, above the strip
    EXPECT_EQ(o[5].kind, "edge");
    EXPECT_EQ(o[5].r, o[3].r);
}

TEST_F(PainterTest, RowRangeAndRightStrip) {
    s.set_visible(100, 40);
    canvas.width = 1005;
    canvas.height = 970;
    paint_rows(s, canvas, -1, -1);
    EXPECT_EQ(canvas.texts(), 100 * 40);
    const Op& strip = canvas.ops.back();
    EXPECT_EQ(strip.kind, "fill");
    EXPECT_EQ(strip.r, (ChwRect{1000, 970 - 970 % 24 - 72, 1005, 970}));
    EXPECT_EQ(strip.colour, s.colour_of(ScreenBg));

    canvas.ops.clear();
    canvas.width = 1000;
    paint_rows(s, canvas, 39, 80);
    EXPECT_EQ(canvas.texts(), 100);
    EXPECT_EQ(canvas.ops.back().kind, "text");

    // A client wider than 128 columns: the strip beyond column 127 too.
    s.set_visible(128, 40);
    canvas.ops.clear();
    canvas.width = 1500;
    paint_rows(s, canvas, -1, -1);
    EXPECT_EQ(canvas.ops.back().r, (ChwRect{1280, 970 - 970 % 24 - 72, 1500, 970}));
    EXPECT_EQ(canvas.ops.back().colour, s.colour_of(ScreenBg));
}

// What the window system asks to repaint is painted, and nothing else: a
// gauge that moved repaints the gauge.
TEST_F(PainterTest, AnAreaPaintsTheCellsItMeetsAndNoOthers) {
    s.set_visible(100, 40);
    canvas.width = 1005;
    canvas.height = 970;
    // Cell (12, 5) and its right neighbour; 1 pixel into each of the rows 5 and 6.
    paint_area(s, canvas, {125, 5 * 24 + 23, 131, 6 * 24 + 1});
    EXPECT_EQ(canvas.texts(), 4);
    EXPECT_EQ(canvas.at_cell(12, 5).size(), 2u);
    EXPECT_EQ(canvas.at_cell(13, 6).size(), 2u);
    EXPECT_TRUE(canvas.at_cell(11, 5).empty());
    EXPECT_TRUE(canvas.at_cell(14, 5).empty());

    // A double-byte character across the area's left edge is painted whole,
    // from its lead byte's cell.
    canvas.ops.clear();
    s.move_cursor(20, 3);
    s.write(sj("表示"));  // columns 20-23, the 0x5C trail byte in column 21
    paint_area(s, canvas, {215, 3 * 24, 225, 3 * 24 + 24});
    ASSERT_EQ(canvas.texts(), 2);
    EXPECT_EQ(canvas.ops[1].bytes, std::string(sj("表")));
    EXPECT_EQ(canvas.ops[1].r.left, 200);
    EXPECT_EQ(canvas.ops[3].bytes, std::string(sj("示")));

    // The strip right of the grid only where the area reaches it; nothing
    // outside the grid's rows and columns.
    canvas.ops.clear();
    paint_area(s, canvas, {1001, 960, 1004, 970});
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].r, (ChwRect{1000, 970 - 970 % 24 - 72, 1005, 970}));
    canvas.ops.clear();
    paint_area(s, canvas, {-40, -30, -1, -1});
    paint_area(s, canvas, {10, 10, 10, 40});
    EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(PainterTest, PressedCapIsShiftedAndFramed) {
    s.set_fkey_row(30);
    s.draw_fkey_bar("Go");
    s.press_fkey(kKeyF(1));
    paint_pressed_cap(s, canvas);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.front().kind, "clip");
    EXPECT_EQ(canvas.ops.front().r, (ChwRect{20, 720, 80, 744}));
    EXPECT_EQ(canvas.ops[1].r, (ChwRect{21, 721, 31, 745}));
    EXPECT_EQ(canvas.ops.back().kind, "unclip");
    EXPECT_EQ(canvas.ops[canvas.ops.size() - 2].colour, s.colour_of(WinNgFg));
    canvas.ops.clear();
    s.release_fkey();
    paint_pressed_cap(s, canvas);
    EXPECT_TRUE(canvas.ops.empty());
}

}  // namespace
}  // namespace prismel
