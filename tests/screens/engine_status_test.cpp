#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "chwin/chw_screen.h"
#include "chwin/grid_dump.h"
#include "screens/engine_status.h"

namespace prismel {
namespace {

class EngineStatusTest : public ::testing::Test {
protected:
    std::string status(const EngineFields& f) {
        s.move_cursor(0, 0);
        write_engine_status(s, f, *show);
        return row_text(s, 0, 0, 13);
    }
    ChwScreen s;
    std::unique_ptr<ShowData> show = std::make_unique<ShowData>();
};

TEST_F(EngineStatusTest, FirstThatAppliesWins) {
    EngineFields f;
    EXPECT_EQ(status(f), "OFF          ");
    EXPECT_EQ(s.cell(0, 0).fg, s.colour_of(WinNgFg));
    EXPECT_EQ(s.cell(0, 0).bg, s.colour_of(WinBg));

    f.current_chase = 4;
    f.chase_step = 11;
    EXPECT_EQ(status(f), "ﾁｪｲｽ:  5: 12 ");
    EXPECT_EQ(s.cell(0, 0).fg, s.colour_of(WinFg));
    f.current_scene = 0;
    EXPECT_EQ(status(f), "ｼｰﾝ:  1      ");
    f.current_cue = 2;
    show->cues[2].number = 30;
    EXPECT_EQ(status(f), "ｷｭｰ:   3.    ");
    show->cues[2].number = 125;
    EXPECT_EQ(status(f), "ｷｭｰ:  12.5   ");
    std::strcpy(show->colours.rec[7].name, "Amber");
    f.colour_preview = 7;
    EXPECT_EQ(status(f), "ｶﾗｰ:Amber    ");
}

TEST_F(EngineStatusTest, CueOutsideTheListFallsThrough) {
    EngineFields f;
    f.current_cue = 5000;
    f.current_scene = 9;
    EXPECT_EQ(status(f), "ｼｰﾝ: 10      ");
}

}  // namespace
}  // namespace prismel
