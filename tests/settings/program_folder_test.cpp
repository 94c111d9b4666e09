#include "settings/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace prismel;
using prismel::test::read_text;
using prismel::test::TempDir;
using prismel::test::write_text;
namespace fs = std::filesystem;

TEST(ProgramFolder, BesideAWritableExecutableUnlessInstalled) {
    struct Case {
        bool writable, installed;
        FolderChoice expected;
    };
    for (const Case& c : {Case{true, false, FolderChoice::beside_executable},
                          Case{false, false, FolderChoice::per_user},
                          Case{true, true, FolderChoice::per_user},
                          Case{false, true, FolderChoice::per_user}}) {
        EXPECT_EQ(choose_folder(FolderFacts{c.writable, c.installed}), c.expected)
            << c.writable << " " << c.installed;
    }
}

TEST(ProgramFolder, PerUserFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        const char *xdg, *home, *expected;
    };
    for (const Case& c : {Case{"/x/data", "/home/u", "/x/data/prismel/"},
                          Case{"/x/data/", "/home/u", "/x/data/prismel/"},
                          Case{"", "/home/u", "/home/u/.local/share/prismel/"},
                          Case{nullptr, "/home/u/", "/home/u/.local/share/prismel/"},
                          Case{"relative/data", "/home/u", "/home/u/.local/share/prismel/"},
                          Case{"/x", nullptr, "/x/prismel/"},
                          Case{nullptr, "/", "/.local/share/prismel/"},
                          Case{nullptr, nullptr, ""},
                          Case{nullptr, "not/absolute", ""}}) {
        EXPECT_EQ(per_user_folder(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

namespace {

// An installation as the package lays it out: usr/bin/prismel, the shipped
// files in usr/share/prismel/.
struct InstalledRoot {
    TempDir root;
    std::string bin = root.folder() + "usr/bin/";
    std::string share = root.folder() + "usr/share/prismel/";
    InstalledRoot() {
        fs::create_directories(bin);
        fs::create_directories(share);
        write_text(bin + "prismel", "");
        write_text(share + "PRSMDATA.DEF", "preset_color = 0, RED, 0, 255, 255\n");
        write_text(share + "PRSMTITL.BMP", "BM");
    }
};

}  // namespace

TEST(ProgramFolder, ShippedFilesBesideTheExecutableOrUnderShare) {
    InstalledRoot inst;
    EXPECT_EQ(shipped_folder(inst.bin), inst.share);
    TempDir portable;
    write_text(portable.file("PRSMDATA.DEF"), "");
    EXPECT_EQ(shipped_folder(portable.folder()), portable.folder());
    TempDir bare;
    EXPECT_EQ(shipped_folder(bare.folder()), bare.folder());
}

TEST(ProgramFolder, ABuildTreeKeepsEverythingBesideTheExecutable) {
    TempDir tree;
    write_text(tree.file("PRSMDATA.DEF"), "");
    TempDir data;
    const ProgramPlace p = find_program_place(tree.file("prismel"), data.path().c_str(), "/nonexistent");
    EXPECT_EQ(p.folder, tree.folder());
    EXPECT_EQ(p.settings_file, tree.file("prismel.INI"));
    EXPECT_FALSE(p.per_user);
    EXPECT_TRUE(fs::is_empty(data.path())) << "no per-user folder is made";
}

TEST(ProgramFolder, AnInstalledConsoleGetsAFurnishedFolderOfItsOwnOnce) {
    InstalledRoot inst;
    TempDir data;
    const std::string own = data.folder() + "prismel/";
    const ProgramPlace p = find_program_place(inst.bin + "prismel", data.path().c_str(), "/nonexistent");
    EXPECT_EQ(p.folder, own);
    EXPECT_EQ(p.settings_file, own + "prismel.INI");
    EXPECT_TRUE(p.per_user);
    EXPECT_TRUE(fs::is_directory(own + "DATA"));
    EXPECT_EQ(read_text(own + "PRSMDATA.DEF"), read_text(inst.share + "PRSMDATA.DEF"));
    EXPECT_EQ(read_text(own + "PRSMTITL.BMP"), "BM");
    EXPECT_FALSE(fs::exists(inst.bin + "prismel.INI"));

    // The user's own preset file stays; a removed shipped file comes back.
    write_text(own + "PRSMDATA.DEF", "preset_color = 0, MINE, 0, 0, 0\n");
    fs::remove(own + "PRSMTITL.BMP");
    find_program_place(inst.bin + "prismel", data.path().c_str(), "/nonexistent");
    EXPECT_EQ(read_text(own + "PRSMDATA.DEF"), "preset_color = 0, MINE, 0, 0, 0\n");
    EXPECT_EQ(read_text(own + "PRSMTITL.BMP"), "BM");
}

TEST(ProgramFolder, AReadOnlyPortableCopyMovesToTheUsersFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write any folder";
    TempDir copy;
    write_text(copy.file("PRSMDATA.DEF"), "x");
    ASSERT_EQ(chmod(copy.path().c_str(), 0555), 0);
    TempDir data;
    const ProgramPlace p = find_program_place(copy.file("prismel"), data.path().c_str(), nullptr);
    chmod(copy.path().c_str(), 0755);
    EXPECT_EQ(p.folder, data.folder() + "prismel/");
    EXPECT_EQ(read_text(p.folder + "PRSMDATA.DEF"), "x");
}

TEST(ProgramFolder, NoUsableUserFolderKeepsTheExecutablesFolder) {
    InstalledRoot inst;
    for (const char* home : {static_cast<const char*>(nullptr), "/proc/no-such-home"}) {
        const ProgramPlace p = find_program_place(inst.bin + "prismel", nullptr, home);
        EXPECT_EQ(p.folder, inst.bin) << (home ? home : "(unset)");
        EXPECT_FALSE(p.per_user);
    }
}
