// prismel-show check, run on prepared show folders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/show_files.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

struct CheckRun {
    int exit_code = -1;
    std::vector<std::string> lines;
    std::string err;
};

CheckRun check(const std::string& args) {
    TempDir scratch;
    const std::string cmd =
        "timeout 30 " PRISMEL_BIN_DIR "/prismel-show check " + args + " 2>" + scratch.file("err.txt");
    CheckRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::string out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    int status = pclose(p);
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) r.lines.push_back(line);
    r.err = read_text(scratch.file("err.txt"));
    return r;
}

// A default show with one change made to it.
void write_show(const TempDir& dir, const std::function<void(ShowData&)>& change = {}) {
    auto show = std::make_unique<ShowData>();
    if (change) change(*show);
    ASSERT_EQ(write_all_tables(*show, dir.folder()), 0);
}

// The show's only anomaly is `expected`.
void expect_single(const TempDir& dir, const std::string& expected) {
    CheckRun r = check(dir.folder());
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_EQ(r.lines.size(), 1u) << (r.lines.empty() ? "" : r.lines[0]);
    EXPECT_EQ(r.lines[0], expected);
}

TEST(CheckTool, CleanShowPrintsNothing) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.scenes[0].colour[0] = 499;
        s.chases[0].step_count = 48;
        s.chases[0].steps[47] = 199;
        s.cues[0].scene = 0;
        s.cues[0].chase = 49;
        s.patch[63].start = 511;
        s.patch[63].layout = 3;  // one channel: the last one
        s.fkeys[0].type = kFkeyCue;
        s.fkeys[0].target = 999;
    });
    CheckRun r = check(dir.path().string());  // without a trailing separator
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_TRUE(r.lines.empty());
}

TEST(CheckTool, EmptyFolderHasSevenMissingFiles) {
    TempDir dir;
    CheckRun r = check(dir.folder());
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_EQ(r.lines.size(), 7u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.COL: missing");
    EXPECT_EQ(r.lines[6], "PRSMDATA.GRP: missing");
    std::filesystem::create_directory(show_file_name(dir.folder(), ShowTable::kCues));
    r = check(dir.folder());
    ASSERT_EQ(r.lines.size(), 7u);
    EXPECT_EQ(r.lines[3], "PRSMDATA.CUE: cannot be read");
}

TEST(CheckTool, UnreadableFolderOrBadArgumentsExitTwo) {
    TempDir dir;
    EXPECT_EQ(check(dir.file("nope")).exit_code, 2);
    write_text(dir.file("plain"), "x");
    CheckRun r = check(dir.file("plain"));
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("cannot read the folder"), std::string::npos);
    EXPECT_EQ(check("").exit_code, 2);
    EXPECT_EQ(check(dir.folder() + " " + dir.folder()).exit_code, 2);
}

TEST(CheckTool, ShorterAndLongerFiles) {
    TempDir dir;
    write_show(dir);
    std::filesystem::resize_file(show_file_name(dir.folder(), ShowTable::kCues), 8000);
    std::filesystem::resize_file(show_file_name(dir.folder(), ShowTable::kGroups), 700);
    CheckRun r = check(dir.folder());
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.CUE: 8000 bytes, shorter than its table of 16000 bytes");
    EXPECT_EQ(r.lines[1], "PRSMDATA.GRP: 700 bytes, longer than its table of 640 bytes");
}

TEST(CheckTool, SceneColourOutsideTheColours) {
    TempDir dir;
    write_show(dir, [](ShowData& s) { s.scenes[2].colour[6] = 650; });
    expect_single(dir, "PRSMDATA.SCN: scene 3, fixture 7: colour index 650 outside 0-499");
}

TEST(CheckTool, NegativeColourOtherThanNone) {
    TempDir dir;
    write_show(dir, [](ShowData& s) { s.scenes[0].colour[0] = -2; });
    expect_single(dir, "PRSMDATA.SCN: scene 1, fixture 1: colour index -2 outside 0-499");
}

TEST(CheckTool, ChaseStepCountAndStepScene) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.chases[1].step_count = 200;
        s.chases[1].steps[4] = 900;
    });
    CheckRun r = check(dir.folder());
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.CHS: chase 2: step count 200 above 48");
    EXPECT_EQ(r.lines[1], "PRSMDATA.CHS: chase 2, step 5: scene index 900 outside 0-199");
}

TEST(CheckTool, CueSceneAndChaseOutsideTheirTables) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.cues[3].scene = 300;
        s.cues[4].chase = 50;
    });
    CheckRun r = check(dir.folder());
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.CUE: cue record 4 (number 40): scene index 300 outside 0-199");
    EXPECT_EQ(r.lines[1], "PRSMDATA.CUE: cue record 5 (number 50): chase index 50 outside 0-49");
}

TEST(CheckTool, CueListOutOfOrder) {
    TempDir dir;
    write_show(dir, [](ShowData& s) { s.cues[11].number = 110; });
    expect_single(dir, "PRSMDATA.CUE: cue record 12: number 110 out of ascending order (record 11 has 110)");
}

TEST(CheckTool, PatchStartAndLayout) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.patch[4].start = 700;
        s.patch[5].layout = 9;
    });
    CheckRun r = check(dir.folder());
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.LPT: fixture 5: patch start 700 outside 0-511");
    EXPECT_EQ(r.lines[1], "PRSMDATA.LPT: fixture 6: layout 9 outside 1-4");
}

TEST(CheckTool, FunctionKeyTypeAndTarget) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.fkeys[0].type = kFkeyScene;
        s.fkeys[0].target = 200;
        s.fkeys[1].type = 7;
    });
    CheckRun r = check(dir.folder());
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.FKY: function key F1: scene index 200 outside 0-199");
    EXPECT_EQ(r.lines[1], "PRSMDATA.FKY: function key F2: type 7 outside -1-3");
}

// Fixtures that share channels are allowed (a show may rely on it): each
// pair is a warning after the anomalies, and the exit status is as without.
TEST(CheckTool, SharedChannelsAreWarningsThatDoNotFailTheCheck) {
    TempDir dir;
    write_show(dir, [](ShowData& s) {
        s.patch[0] = {1, 0};  // TURBO on 1-4
        s.patch[1] = {2, 3};  // COLFDR on 4-6: shares channel 4
        s.patch[2] = {3, 6};  // SCRCHG on 7: next to it, no overlap
        s.patch[3] = {4, 510};  // COLCOM on 511-514: past the universe
    });
    CheckRun r = check(dir.folder());
    EXPECT_EQ(r.exit_code, 0);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "PRSMDATA.LPT: warning: fixture 4 (channels 511-514) runs past channel 512 and is not "
                          "output");
    EXPECT_EQ(r.lines[1], "PRSMDATA.LPT: warning: fixture 1 (channels 1-4) shares DMX channels with fixture 2 "
                          "(channels 4-6)");
}

TEST(CheckTool, NameWithoutTerminator) {
    TempDir dir;
    write_show(dir);
    std::vector<unsigned char> chs = read_bytes(show_file_name(dir.folder(), ShowTable::kChases));
    for (int i = 0; i < 21; ++i) chs[118 * 2 + i] = 'N';
    write_bytes(show_file_name(dir.folder(), ShowTable::kChases), chs);
    expect_single(dir, "PRSMDATA.CHS: chase 3: name fills all 21 bytes of its field without a terminator");
}

}  // namespace
}  // namespace prismel::test
