#pragma once
// A console's place beside another, from section "Option" of the settings
// file. BackupOf empty: an ordinary console, which answers any backup that
// subscribes to it (a primary). An IPv4 address: this console is the backup
// of the console there. BackupHot 1: such a backup's sACN output sends all
// the time, at priority 99 under the primary's 100, and receivers choose.
#include <cstdint>
#include <string>
#include <string_view>

namespace prismel {

struct BackupSettings {
    std::string backup_of;  // BackupOf, as written
    bool hot = false;       // BackupHot
    friend bool operator==(const BackupSettings&, const BackupSettings&) = default;
};

// The UDP port a primary listens on for its backups.
constexpr uint16_t kBackupLinkPort = 6460;
// The sACN priority of a hot backup.
constexpr uint8_t kHotBackupPriority = 99;

// "2.0.0.1" (blanks around it allowed) as 0x02000001; false for an empty
// text and anything that is not a dotted IPv4 address of four numbers 0-255.
bool parse_backup_of(std::string_view text, uint32_t& address);

}  // namespace prismel
