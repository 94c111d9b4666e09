// What BackupOf and --backup-of take for the primary's address.
#include <gtest/gtest.h>

#include "backup/backup_config.h"

namespace prismel {
namespace {

TEST(BackupConfig, OnlyADottedAddressNamesThePrimary) {
    const struct {
        const char* text;
        bool taken;
        uint32_t address;
    } cases[] = {
        {"2.0.0.1", true, 0x02000001},   {" 10.1.2.254\t", true, 0x0A0102FE}, {"", false, 0},
        {"2.0.0", false, 0},             {"2.0.0.256", false, 0},             {"2.0.0.1.5", false, 0},
        {"2..0.1", false, 0},            {"0002.0.0.1", false, 0},            {"2.0.0.1x", false, 0},
        {"primary.local", false, 0},     {"-2.0.0.1", false, 0},              {"2.0.0.1/8", false, 0},
    };
    for (const auto& c : cases) {
        uint32_t address = 0;
        EXPECT_EQ(parse_backup_of(c.text, address), c.taken) << c.text;
        if (c.taken) EXPECT_EQ(address, c.address) << c.text;
    }
}

}  // namespace
}  // namespace prismel
