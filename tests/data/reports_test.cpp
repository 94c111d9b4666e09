#include "data/reports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/text_codec.h"
#include "support/temp_dir.h"

namespace prismel {
namespace {

const std::string kSep82 = std::string(82, '-') + "\n";
const std::string kSep83 = std::string(83, '-') + "\n";
const std::string kCueHead =
    "Cue Program List\n  No.   WT    SCENE                    XT    CHASE                    RT   XT   MD \n";

struct Reports : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<ShowData> show = std::make_unique<ShowData>();
    std::string out() { return dir.file("r.txt"); }
};

TEST_F(Reports, SceneListListsScenesWithColoursWhateverTheirName) {
    std::strcpy(show->scenes[0].name, "named only");
    show->scenes[1].colour[5] = 3;
    std::strcpy(show->scenes[2].name, sj("表ソ能十"));  // trail bytes 0x5C
    show->scenes[2].colour[0] = 1;
    ASSERT_EQ(write_scene_name_list(*show, out()), 1);
    std::string sjname = sj("表ソ能十");
    EXPECT_EQ(test::read_text(out()), "Scene Name List\nNo.  Name\n" + kSep82 + "  2  " + std::string(20, ' ') +
                                          "\n  3  " + sjname + std::string(12, ' ') + "\n" + kSep82);
}

TEST_F(Reports, ChaseListAndDamagedStepCount) {
    std::strcpy(show->chases[0].name, "RUN");
    show->chases[0].step_count = 4;
    std::memset(show->chases[1].name, 'Z', sizeof show->chases[1].name);  // no terminator
    show->chases[1].step_count = 200;
    ASSERT_EQ(write_chase_name_list(*show, out()), 1);
    EXPECT_EQ(test::read_text(out()), "Chase Name List\nNo.  Name                 Size\n" + kSep82 +
                                          "  1  RUN                     4\n  2  " + std::string(20, 'Z') +
                                          "   48\n" + kSep82);
}

TEST_F(Reports, CueListFormats) {
    ASSERT_EQ(write_cue_program_list(*show, out()), 1);
    EXPECT_EQ(test::read_text(out()), kCueHead + kSep83 + kSep83);

    std::strcpy(show->scenes[2].name, "WASH");
    show->cues[0].scene = 2;
    show->cues[1].number = 125;
    show->cues[1].chase = 0;
    show->cues[1].wait = 30;
    show->cues[1].mode = 1;
    show->cues[2].number = 120;
    show->cues[2].scene = 300;  // damaged references list as empty parts
    show->cues[2].chase = 900;
    ASSERT_EQ(write_cue_program_list(*show, out()), 1);
    std::string empty20(20, ' ');
    EXPECT_EQ(test::read_text(out()),
              kCueHead + kSep83 +
                  "   1.   __._    3 WASH                  1.0  ___ " + empty20 + " __._ __._ _\n" +
                  "  12.5   1.5  ___ " + empty20 + " __._    1 " + empty20 + "  1.0  1.0 S\n" +
                  "  12.   __._  ___ " + empty20 + " __._  ___ " + empty20 + " __._ __._ _\n" + kSep83);
}

TEST_F(Reports, UncreatableFileFails) {
    EXPECT_EQ(write_scene_name_list(*show, dir.file("missing/r.txt")), 0);
    EXPECT_EQ(write_cue_program_list(*show, ""), 0);
}

}  // namespace
}  // namespace prismel
