// The show-control keys of the settings file.
#include "settings/remote_settings_io.h"

#include <gtest/gtest.h>

#include "platform/ini_profile.h"
#include "support/temp_dir.h"

namespace prismel {
namespace {

RemoteSettings remote(int osc, const char* allow, int id, int msc) {
    RemoteSettings s;
    s.osc_port = osc, s.osc_allow = allow, s.msc_device_id = id, s.msc_udp_port = msc;
    return s;
}

TEST(RemoteSettingsFile, KeysDefaultsAndValuesNobodyChose) {
    test::TempDir dir;
    const struct {
        const char* option_lines;
        RemoteSettings want;
    } cases[] = {
        {"", remote(8000, "", 1, 0)},
        {"OscPort=0\nMscUdpPort=6004\n", remote(0, "", 1, 6004)},
        {"OscPort=9000\nOscAllow=2.0.0.0/8, 10.0.0.5\nMscDeviceId=126\n", remote(9000, "2.0.0.0/8, 10.0.0.5", 126, 0)},
        {"OscPort=70000\nMscUdpPort=-1\nMscDeviceId=127\n", remote(0, "", 1, 0)},  // off, off, the default
        {"OscPort=eight\nMscDeviceId=-3\n", remote(8000, "", 1, 0)},
    };
    for (const auto& c : cases) {
        test::write_text(dir.file("P.INI"), std::string("[Option]\n") + c.option_lines);
        IniProfile ini(dir.file("P.INI"));
        const RemoteSettings read = read_remote_settings(ini);
        EXPECT_EQ(read, c.want) << c.option_lines;
        write_remote_settings(ini, read);
        ASSERT_EQ(ini.save(), 1);
        EXPECT_EQ(read_remote_settings(IniProfile(dir.file("P.INI"))), c.want) << c.option_lines;
    }
}

}  // namespace
}  // namespace prismel
