#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
const std::string kTool = PRISMEL_BIN_DIR "/prismel-show";

// Runs the tool with its output and error streams sent to files in dir.
int run(const prismel::test::TempDir& dir, const std::string& args) {
    std::string cmd = "timeout 30 " + kTool + " " + args + " >" + dir.file("stdout") + " 2>" + dir.file("stderr");
    int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(ToolInit, WritesADefaultShowOfTheFileSizes) {
    prismel::test::TempDir dir;
    ASSERT_EQ(run(dir, "init " + dir.folder()), 0);
    const std::pair<const char*, std::uintmax_t> sizes[] = {{"COL", 4500}, {"SCN", 42600}, {"CHS", 5900},
                                                           {"CUE", 16000}, {"LPT", 256},   {"FKY", 160},
                                                           {"GRP", 640}};
    for (auto [ext, size] : sizes) EXPECT_EQ(fs::file_size(dir.file(std::string("PRSMDATA.") + ext)), size) << ext;
    EXPECT_EQ(prismel::test::read_text(dir.file("stderr")), "");
}

TEST(ToolInit, BadPresetFileKeepsEarlierPresetsAndStillSucceeds) {
    prismel::test::TempDir dir;
    prismel::test::write_text(dir.file("PRSMDATA.DEF"), "preset_color=0,RED,0,255,255\ncolor=1\n");
    ASSERT_EQ(run(dir, "init " + dir.path().string()), 0);
    EXPECT_NE(prismel::test::read_text(dir.file("stderr")).find("2:[color]は不正な項目名です"), std::string::npos);
    auto col = prismel::test::read_bytes(dir.file("PRSMDATA.COL"));
    ASSERT_EQ(col.size(), 4500u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(col.data())), "RED");
    EXPECT_NE(run(dir, "init " + dir.file("no-such-folder")), 0);
}

TEST(ToolReport, WritesTheCueListOfAFolder) {
    prismel::test::TempDir dir;
    ASSERT_EQ(run(dir, "init " + dir.folder()), 0);
    ASSERT_EQ(run(dir, "report cues " + dir.folder() + " " + dir.file("cues.txt")), 0);
    std::string sep(83, '-');
    EXPECT_EQ(prismel::test::read_text(dir.file("cues.txt")),
              "Cue Program List\n  No.   WT    SCENE                    XT    CHASE                    RT   XT   MD \n" +
                  sep + "\n" + sep + "\n");
    EXPECT_NE(run(dir, "report lights " + dir.folder() + " " + dir.file("x.txt")), 0);
}

TEST(ToolPresets, ListsPresetsOrReportsTheError) {
    prismel::test::TempDir dir;
    prismel::test::write_text(dir.file("P.DEF"), "preset_color=4,BLUE,0,255,255\n");
    ASSERT_EQ(run(dir, "presets " + dir.file("P.DEF")), 0);
    EXPECT_EQ(prismel::test::read_text(dir.file("stdout")), "5 BLUE 0 255 255\n");
    prismel::test::write_text(dir.file("P.DEF"), "preset_color=400,X,1,2,3\n");
    EXPECT_EQ(run(dir, "presets " + dir.file("P.DEF")), 1);
    EXPECT_EQ(prismel::test::read_text(dir.file("stderr")), "1:[preset_color]の設定が間違っています\n");
}

}  // namespace
