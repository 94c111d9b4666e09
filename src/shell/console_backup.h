#pragma once
// The console beside another: with BackupOf set it is the backup of the
// console at that address, otherwise a primary that answers any backup.
// Both sides come up before the output's first frame and end before the
// engine does; their notes reach the message line through the remotes'
// mailbox, their role the status line's last panel.
#include <memory>
#include <string>

#include "backup/backup_config.h"
#include "backup/backup_link.h"
#include "backup/primary_link.h"
#include "data/message_line.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "shell/output_link.h"

namespace prismel {

class ConsoleBackup {
public:
    ConsoleBackup(PlaybackEngine& engine, ShowData& show, OutputLink& output, const BackupSettings& settings,
                  std::string data_folder);
    ~ConsoleBackup();
    ConsoleBackup(const ConsoleBackup&) = delete;
    ConsoleBackup& operator=(const ConsoleBackup&) = delete;

    // Before the output starts. `backup_followed`: the journal says a backup
    // followed the last run, so a primary waits for it a moment. Returns
    // what the message line says of what could not start (CP932), or empty.
    std::string start(uint64_t show_digest, bool backup_followed);
    void stop();

    bool is_backup() const { return backup_ != nullptr; }
    // Each tick of the window thread: this console's digest, a copied show
    // put in place (said on `line`), and whether a backup follows (for the
    // journal, through the returned value).
    bool tick(uint64_t show_digest, MessageLine& line);
    // The role panel's text (CP932), empty for a console no backup ever followed.
    std::string status_message() const;
    // The data menu's command on a backup.
    void copy_primary_show();

private:
    class Outputs;
    PlaybackEngine& engine_;
    ShowData& show_;
    BackupSettings settings_;
    std::string data_folder_;
    std::unique_ptr<Outputs> outputs_;
    std::unique_ptr<backup::PrimaryLink> primary_;
    std::unique_ptr<backup::BackupLink> backup_;
};

// True for a backup whose BackupOf is a usable address.
bool backup_of_address(const BackupSettings& settings, uint32_t& address);

}  // namespace prismel
