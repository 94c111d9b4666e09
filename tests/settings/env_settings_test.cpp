#include "settings/env_settings.h"

#include <gtest/gtest.h>

#include "platform/ini_profile.h"
#include "support/temp_dir.h"

using namespace prismel;
using prismel::test::TempDir;

TEST(SettingsFile, LiesBesideTheExecutableWithItsName) {
    EXPECT_EQ(settings_path_for("/opt/p/Prismel"), "/opt/p/Prismel.INI");
    EXPECT_EQ(settings_path_for("/opt/p/Prismel.exe"), "/opt/p/Prismel.INI");
    EXPECT_EQ(settings_path_for("/opt/p.d/prismel"), "/opt/p.d/prismel.INI");
    EXPECT_EQ(settings_path_for("prismel"), "prismel.INI");
    EXPECT_EQ(folder_of("/opt/p/Prismel"), "/opt/p/");
    EXPECT_EQ(folder_of("prismel"), "./");
    EXPECT_EQ(settings_path_in("/home/u/p/", "/usr/bin/prismel"), "/home/u/p/prismel.INI");
    EXPECT_EQ(settings_path_in("/home/u/p/", "prismel"), "/home/u/p/prismel.INI");
}

TEST(SettingsFile, VersionBelow121IsRewrittenNewerIsKept) {
    TempDir dir;
    for (auto [before, after] : {std::pair{100, 121}, {130, 130}, {121, 121}}) {
        test::write_text(dir.file("P.INI"), "[General]\nversion=" + std::to_string(before) + "\n");
        IniProfile ini(dir.file("P.INI"));
        check_settings_version(ini);
        IniProfile again(dir.file("P.INI"));
        EXPECT_EQ(again.read_int("General", "version", 0), after) << before;
    }
    IniProfile fresh(dir.file("NEW.INI"));
    check_settings_version(fresh);
    EXPECT_EQ(IniProfile(dir.file("NEW.INI")).read_int("General", "version", 0), 121);
}

TEST(EnvSettings, DefaultsFromTheProgramFolder) {
    TempDir dir;
    IniProfile ini(dir.file("P.INI"));
    EnvSettings env;
    env.load(ini, "/opt/p/");
    EXPECT_EQ(env.program_folder, "/opt/p/");
    EXPECT_EQ(env.editor, "notepad.exe");
    EXPECT_EQ(env.wall_image, "/opt/p/PRSMWALL.BMP");
    EXPECT_EQ(env.title_image, "/opt/p/PRSMTITL.BMP");
    EXPECT_TRUE(env.beep);
    EXPECT_FALSE(env.hide_title);
    EXPECT_FALSE(env.run_mouse);
    EXPECT_TRUE(env.restart_chase);
    EXPECT_EQ(env.fkey_time, 0);
    EXPECT_EQ(env.web_port, 0);  // the browser remote is off
    EXPECT_FALSE(env.notice.empty());
    EXPECT_TRUE(env.preset_file.empty());  // the start-up fills it
}

TEST(EnvSettings, BooleansReadAnyNonZeroAndWriteOneOrZero) {
    TempDir dir;
    test::write_text(dir.file("P.INI"),
                     "[General]\nPresetFile=/x/MY.DEF\nEditor=vi\n"
                     "[Option]\nHideTitle=5\nBeep=0\nRunMouse=-1\nRestartChs=0\nFkeyTime=40\nWebPort=8080\n"
                     "WebPin= 2468 \nBackupOf= 2.0.0.1 \nBackupHot=3\n");
    {
        IniProfile ini(dir.file("P.INI"));
        EnvSettings env;
        env.load(ini, dir.folder());
        EXPECT_TRUE(env.hide_title);
        EXPECT_FALSE(env.beep);
        EXPECT_TRUE(env.run_mouse);
        EXPECT_FALSE(env.restart_chase);
        EXPECT_EQ(env.fkey_time, 40);
        EXPECT_EQ(env.web_port, 8080);
        EXPECT_EQ(env.web_pin, "2468");
        EXPECT_EQ(env.editor, "vi");
        EXPECT_EQ(env.backup, (BackupSettings{"2.0.0.1", true}));
        env.preset_file = "/changed/OTHER.DEF";
        ASSERT_EQ(env.save(ini), 1);
    }
    IniProfile ini(dir.file("P.INI"));
    EXPECT_EQ(ini.read_string("Option", "HideTitle", ""), "1");
    EXPECT_EQ(ini.read_string("Option", "RunMouse", ""), "1");
    EXPECT_EQ(ini.read_string("Option", "Beep", ""), "0");
    EXPECT_EQ(ini.read_string("Option", "WebPort", ""), "8080");
    EXPECT_EQ(ini.read_string("Option", "BackupOf", ""), "2.0.0.1");
    EXPECT_EQ(ini.read_string("Option", "BackupHot", ""), "1");
    // The preset file is never written back.
    EXPECT_EQ(ini.read_string("General", "PresetFile", ""), "/x/MY.DEF");
}

TEST(EnvSettings, OutputDefaultsKeepTheFirstBehaviourAndANewCidIsMade) {
    TempDir dir;
    IniProfile ini(dir.file("P.INI"));
    EnvSettings env;
    env.load(ini, dir.folder());
    EXPECT_EQ(env.output.interface, "");
    EXPECT_EQ(env.output.delivery, artnet::Delivery::broadcast);
    EXPECT_EQ(env.output.protocol, artnet::Protocol::artnet);
    EXPECT_EQ(env.output.sacn_universe, 0);
    EXPECT_TRUE(env.cid_created);
    env.save_output(ini);
    ASSERT_EQ(ini.save(), 1);
    IniProfile again(dir.file("P.INI"));
    EnvSettings next;
    next.load(again, dir.folder());
    EXPECT_FALSE(next.cid_created);
    EXPECT_EQ(next.output.cid, env.output.cid) << "the source identity stays";
    EXPECT_EQ(again.read_string("Option", "ArtNetDelivery", ""), "broadcast");
    EXPECT_EQ(again.read_string("Option", "OutputProtocol", ""), "artnet");
}

TEST(EnvSettings, OutputKeysAreReadWrittenAndUnknownWordsFallBack) {
    TempDir dir;
    test::write_text(dir.file("P.INI"), "[Option]\nOutputInterface= eth1 \nArtNetDelivery=Unicast\nOutputProtocol=both\n"
                                        "SacnCid=0123456789abcdef0123456789ABCDEF\n");
    {
        IniProfile ini(dir.file("P.INI"));
        EnvSettings env;
        env.load(ini, dir.folder());
        EXPECT_EQ(env.output.interface, "eth1");
        EXPECT_EQ(env.output.delivery, artnet::Delivery::unicast);
        EXPECT_EQ(env.output.protocol, artnet::Protocol::both);
        EXPECT_FALSE(env.cid_created);
        artnet::OutputSettings chosen;
        chosen.interface = "2.0.0.7";
        chosen.protocol = artnet::Protocol::sacn;
        env.take_output_choice(chosen);
        ASSERT_EQ(env.save(ini), 1);
    }
    IniProfile ini(dir.file("P.INI"));
    EXPECT_EQ(ini.read_string("Option", "OutputInterface", ""), "2.0.0.7");
    EXPECT_EQ(ini.read_string("Option", "ArtNetDelivery", ""), "broadcast");
    EXPECT_EQ(ini.read_string("Option", "OutputProtocol", ""), "sacn");
    EXPECT_EQ(ini.read_string("Option", "SacnCid", ""), "01234567-89ab-cdef-0123-456789abcdef");

    test::write_text(dir.file("Q.INI"), "[Option]\nArtNetDelivery=multicast\nOutputProtocol=dmx\nSacnCid=xyz\n");
    IniProfile bad(dir.file("Q.INI"));
    EnvSettings env;
    env.load(bad, dir.folder());
    EXPECT_EQ(env.output.delivery, artnet::Delivery::broadcast);
    EXPECT_EQ(env.output.protocol, artnet::Protocol::artnet);
    EXPECT_TRUE(env.cid_created);
}

TEST(EnvSettings, DeviceOutputsAreReadAndWrittenWithTheList) {
    TempDir dir;
    test::write_text(dir.file("P.INI"), "[Option]\nOutputProtocol=usbpro, ola\nUsbProDevice= /dev/ttyUSB1 \n"
                                        "OlaUniverse=7\n");
    {
        IniProfile ini(dir.file("P.INI"));
        EnvSettings env;
        env.load(ini, dir.folder());
        EXPECT_EQ(env.output.protocol, artnet::Protocol::usbpro | artnet::Protocol::ola);
        EXPECT_EQ(env.output.usbpro_device, "/dev/ttyUSB1");
        EXPECT_EQ(env.output.ola_universe, 7);
        artnet::OutputSettings chosen = env.output;
        chosen.protocol = artnet::Protocol::both | artnet::Protocol::ola;
        chosen.usbpro_device = "";
        chosen.ola_universe = 0;
        env.take_output_choice(chosen);
        ASSERT_EQ(env.save(ini), 1);
    }
    IniProfile ini(dir.file("P.INI"));
    EXPECT_EQ(ini.read_string("Option", "OutputProtocol", ""), "artnet,sacn,ola");
    EXPECT_EQ(ini.read_string("Option", "UsbProDevice", "x"), "");
    EXPECT_EQ(ini.read_string("Option", "OlaUniverse", ""), "0");

    test::write_text(dir.file("Q.INI"), "[Option]\nOlaUniverse=70000\n");
    IniProfile bad(dir.file("Q.INI"));
    EnvSettings env;
    env.load(bad, dir.folder());
    EXPECT_EQ(env.output.ola_universe, 1) << "out of range reads as the default";
    EXPECT_EQ(env.output.usbpro_device, "") << "empty: the first widget found";
}
