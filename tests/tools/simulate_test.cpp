// prismel-show simulate, run as a designer would, on a small show whose
// frames are worked out by hand.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/show_files.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

struct ToolRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

ToolRun simulate(const TempDir& dir, const std::string& script) {
    write_text(dir.file("script.txt"), script);
    const std::string cmd = "timeout 30 " PRISMEL_BIN_DIR "/prismel-show simulate " + dir.folder() + " " +
                            dir.file("script.txt") + " 2>" + dir.file("err.txt");
    ToolRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    int status = pclose(p);
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = read_text(dir.file("err.txt"));
    return r;
}

// Colours 400 (Y 200, M 100) and 401 (C 250); scene 0 lights fixture 0 in
// colour 400; chase 0 steps fixture 1 through scene 1 (colour 401, size 128)
// and scene 2 (colour 400, size 64). Cue 0: scene 0 with a 5-step fade
// (stored 2), chase 0 at rate 5 steps (stored 2), no chase crossfade.
// Fixture 0 is layout 1 at slot 0 (size M C Y), fixture 1 layout 4 at slot 10
// (C M Y size).
void write_small_show(const TempDir& dir) {
    auto show = std::make_unique<ShowData>();
    show->colours.rec[400].y = 200;
    show->colours.rec[400].m = 100;
    show->colours.rec[401].c = 250;
    show->scenes[0].colour[0] = 400;
    show->scenes[0].size[0] = 255;
    show->scenes[1].colour[1] = 401;
    show->scenes[1].size[1] = 128;
    show->scenes[2].colour[1] = 400;
    show->scenes[2].size[1] = 64;
    show->chases[0].step_count = 2;
    show->chases[0].steps[0] = 1;
    show->chases[0].steps[1] = 2;
    CueRecord& c = show->cues[0];
    c.scene = 0;
    c.scene_xtime = 2;
    c.chase = 0;
    c.rate = 2;
    c.chase_xtime = 0;
    show->patch[0] = {1, 0};
    show->patch[1] = {4, 10};
    ASSERT_EQ(write_all_tables(*show, dir.folder()), 0);
}

std::string frame_line(int step, std::array<int, 4> fixture0, std::array<int, 4> fixture1) {
    std::array<int, kDmxSlots> frame{};
    for (int i = 0; i < 4; ++i) {
        frame[i] = fixture0[i];
        frame[10 + i] = fixture1[i];
    }
    std::ostringstream line;
    line << step << ' ';
    char hex[3];
    for (int b : frame) {
        std::snprintf(hex, sizeof hex, "%02x", b);
        line << hex;
    }
    line << '\n';
    return line.str();
}

TEST(Simulate, CueWithASceneFadeAndAChase) {
    TempDir dir;
    write_small_show(dir);
    ToolRun r = simulate(dir,
                     "# standby first\n"
                     "step 1\n"
                     "go 0   # the cue\n"
                     "step 7\n"
                     "lines 1 0\n"
                     "step 2\n");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    // Fixture 0 fades in with out levels 204, 153, 102, 51, 0; fixture 1 is the
    // chase's, on its first step for 4 steps, then on its second.
    const std::array<int, 4> step1 = {250, 0, 0, 128}, step2 = {0, 100, 200, 64}, dark = {0, 0, 0, 0};
    std::string expected = frame_line(1, dark, dark) +                 //
                           frame_line(2, {51, 20, 0, 40}, step1) +     //
                           frame_line(3, {102, 40, 0, 80}, step1) +    //
                           frame_line(4, {153, 60, 0, 120}, step1) +   //
                           frame_line(5, {204, 80, 0, 160}, step1) +   //
                           frame_line(6, {255, 100, 0, 200}, step2) +  //
                           frame_line(7, {255, 100, 0, 200}, step2) +  //
                           frame_line(8, {255, 100, 0, 200}, step2) +  //
                           // The GO contact is seen at step 9 and fires at step
                           // 10: GO after the last used cue is standby.
                           frame_line(9, {255, 100, 0, 200}, step2) +  //
                           frame_line(10, dark, dark);
    EXPECT_EQ(r.out, expected);
}

TEST(Simulate, ColourPreviewSnapshotsAndBack) {
    TempDir dir;
    write_small_show(dir);
    ToolRun r = simulate(dir,
                     "next\nstep 6\npush\ngo none\nstep 1\ncolour 401\nstep 1\ncolour none\n"
                     "pop -1\nstep 1\nback\nstep 1\n");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string l; std::getline(in, l);) lines.push_back(l + "\n");
    ASSERT_EQ(lines.size(), 10u);
    const std::array<int, 4> step2 = {0, 100, 200, 64}, dark = {0, 0, 0, 0};
    EXPECT_EQ(lines[5], frame_line(6, {255, 100, 0, 200}, step2));
    EXPECT_EQ(lines[6], frame_line(7, dark, dark));
    EXPECT_EQ(lines[7], frame_line(8, {0, 0, 250, 0}, {250, 0, 0, 0}));  // size 0, C 250
    EXPECT_EQ(lines[8], frame_line(9, {255, 100, 0, 200}, step2));       // the show given back
    EXPECT_EQ(lines[9], frame_line(10, dark, dark));                      // back from the first cue
}

TEST(Simulate, BadScriptNamesTheLineAndRunsNothing) {
    TempDir dir;
    write_small_show(dir);
    for (const char* script : {"step 2\ngo 0\nscene 200 0\n", "step 2\ngo 0\nfly\n", "step 1\n\nchase 0 20 20\n",
                               "step 1\n# fine\nlines 2 0\n", "step 1\n\nstep -3\n"}) {
        ToolRun r = simulate(dir, script);
        EXPECT_EQ(r.exit_code, 2) << script;
        EXPECT_EQ(r.out, "") << script;
        EXPECT_NE(r.err.find(":3:"), std::string::npos) << r.err;
    }
    ToolRun r = simulate(dir, "step 1\nstep -3\n");
    EXPECT_NE(r.err.find(":2:"), std::string::npos) << r.err;
}

TEST(Simulate, UnreadableShowIsAnError) {
    TempDir dir;
    ToolRun r = simulate(dir, "step 1\n");
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("PRSMDATA"), std::string::npos);
}

}  // namespace
}  // namespace prismel::test
