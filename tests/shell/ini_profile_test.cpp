#include "platform/ini_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/text_codec.h"
#include "support/temp_dir.h"

using namespace prismel;
using prismel::test::TempDir;

TEST(ProfileInt, ParsesWhatTheFileMayHold) {
    EXPECT_EQ(parse_profile_int("121", 0), 121);
    EXPECT_EQ(parse_profile_int("  -7 ", 0), -7);
    EXPECT_EQ(parse_profile_int("+5", 0), 5);
    EXPECT_EQ(parse_profile_int("$FF", 0), 255);
    EXPECT_EQ(parse_profile_int("0x66ccCC", 0), 0x66CCCC);
    EXPECT_EQ(parse_profile_int("0xFFFFFFFF", 0), -1);
    EXPECT_EQ(parse_profile_int("-2147483648", 0), -2147483647 - 1);
    // Not numbers: the default.
    EXPECT_EQ(parse_profile_int("", 9), 9);
    EXPECT_EQ(parse_profile_int("-", 9), 9);
    EXPECT_EQ(parse_profile_int("0x", 9), 9);
    EXPECT_EQ(parse_profile_int("5abc", 9), 9);
    EXPECT_EQ(parse_profile_int("1 2", 9), 9);
    EXPECT_EQ(parse_profile_int("2147483648", 9), 9);
    EXPECT_EQ(parse_profile_int("99999999999999999999", 9), 9);
    EXPECT_EQ(parse_profile_int("0x100000000", 9), 9);
}

TEST(IniProfile, MissingFileGivesDefaultsAndSaveCreatesIt) {
    TempDir dir;
    IniProfile ini(dir.file("P.INI"));
    EXPECT_FALSE(ini.unreadable());
    EXPECT_EQ(ini.read_int("General", "version", 3), 3);
    EXPECT_EQ(ini.read_string("General", "Editor", "ed"), "ed");
    ini.write_int("General", "version", 121);
    ini.write_string("Option", "Beep", "1");
    ASSERT_EQ(ini.save(), 1);
    std::string text = test::read_text(dir.file("P.INI"));
    EXPECT_EQ(text.rfind("[General]\nversion=121\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n[Option]\nBeep=1\n"), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(dir.file("P.INI.new")));
}

TEST(IniProfile, KeepsSectionsOrderAndCaseAndFindsKeysCaseBlind) {
    TempDir dir;
    test::write_text(dir.file("P.INI"),
                     "; kept\r\n[General]\r\nWinWidth=640\r\nEditor = vi \r\n[Color]\r\nScreenBg=8704\r\n");
    IniProfile ini(dir.file("P.INI"));
    EXPECT_EQ(ini.read_int("general", "winwidth", 0), 640);
    EXPECT_EQ(ini.read_string("General", "Editor", ""), "vi");
    EXPECT_EQ(ini.read_int("Color", "ScreenBg", 0), 8704);
    ini.write_int("GENERAL", "WINWIDTH", 800);
    ini.write_int("Option", "Beep", 0);
    ASSERT_EQ(ini.save(), 1);
    IniProfile again(dir.file("P.INI"));
    EXPECT_EQ(again.read_int("General", "WinWidth", 0), 800);
    std::string text = test::read_text(dir.file("P.INI"));
    EXPECT_LT(text.find("[General]"), text.find("[Color]"));
    EXPECT_LT(text.find("[Color]"), text.find("[Option]"));
    EXPECT_NE(text.find("WinWidth=800"), std::string::npos);
}

TEST(IniProfile, ValuesAreCp932BytesBothWays) {
    TempDir dir;
    std::string name = std::string(sj("C:\\ショー\\表.BMP"));
    {
        IniProfile ini(dir.file("P.INI"));
        ini.write_string("General", "WallImage", name);
        ASSERT_EQ(ini.save(), 1);
    }
    EXPECT_NE(test::read_text(dir.file("P.INI")).find("WallImage=" + name), std::string::npos);
    IniProfile ini(dir.file("P.INI"));
    EXPECT_EQ(ini.read_string("General", "WallImage", ""), name);
}

TEST(IniProfile, LineBreaksInValuesCannotAddKeys) {
    TempDir dir;
    IniProfile ini(dir.file("P.INI"));
    ini.write_string("General", "Editor", "vi\nversion=1");
    ASSERT_EQ(ini.save(), 1);
    IniProfile again(dir.file("P.INI"));
    EXPECT_EQ(again.read_int("General", "version", 0), 0);
}

TEST(IniProfile, SaveFailureIsReportedAndOldFileStays) {
    TempDir dir;
    IniProfile ini(dir.file("no/such/folder/P.INI"));
    EXPECT_EQ(ini.save(), 0);

    std::filesystem::create_directory(dir.file("D.INI"));
    IniProfile folder(dir.file("D.INI"));
    EXPECT_TRUE(folder.unreadable());
    EXPECT_EQ(folder.save(), 0);

    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    test::write_text(dir.file("P.INI"), "[General]\nversion=130\n");
    chmod(dir.file("P.INI").c_str(), 0);
    IniProfile locked(dir.file("P.INI"));
    EXPECT_TRUE(locked.unreadable());
    locked.write_int("General", "version", 121);
    EXPECT_EQ(locked.save(), 0);
    chmod(dir.file("P.INI").c_str(), 0644);
    EXPECT_EQ(test::read_text(dir.file("P.INI")), "[General]\nversion=130\n");
}
