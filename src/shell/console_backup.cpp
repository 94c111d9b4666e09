#include "shell/console_backup.h"

#include <cstdio>

#include "backup/thread_outputs.h"
#include "platform/text_codec.h"
#include "remote/message_mailbox.h"

namespace prismel {

// The link's view of the console's output (backup/link_outputs.h).
class ConsoleBackup::Outputs final : public backup::LinkOutputs {
public:
    Outputs(OutputLink& output, bool hot) : output_(output), hot_(hot) {}
    void hold(bool held) override {
        held_.store(held);
        output_.set_outputs_held(backup::held_outputs(held, hot_));
    }
    bool sending() const override { return !held_.load() && output_.status() == artnet::OutputStatus::ok; }
    void watch(uint32_t address) override { output_.watch_artdmx_from(address); }
    uint64_t watched() const override { return output_.watched_artdmx(); }

private:
    OutputLink& output_;
    const bool hot_;
    std::atomic<bool> held_{false};
};

namespace {

void post(backup::LinkNote note) { g_remote_messages.post(backup::note_message(note)); }

}  // namespace

bool backup_of_address(const BackupSettings& settings, uint32_t& address) {
    return parse_backup_of(settings.backup_of, address) && address != 0;
}

ConsoleBackup::ConsoleBackup(PlaybackEngine& engine, ShowData& show, OutputLink& output,
                             const BackupSettings& settings, std::string data_folder)
    : engine_(engine),
      show_(show),
      settings_(settings),
      data_folder_(std::move(data_folder)),
      outputs_(std::make_unique<Outputs>(output, settings.hot)) {}

ConsoleBackup::~ConsoleBackup() { stop(); }

std::string ConsoleBackup::start(uint64_t show_digest, bool backup_followed) {
    std::string error;
    uint32_t primary = 0;
    char text[200];
    if (backup_of_address(settings_, primary)) {
        backup_ = std::make_unique<backup::BackupLink>(engine_, *outputs_, post);
        backup_->set_show_digest(show_digest);
        if (backup_->start(primary, kBackupLinkPort, error)) return {};
        std::snprintf(text, sizeof text, sj("主機との通信を開けません: %s"), error.c_str());
        return text;
    }
    primary_ = std::make_unique<backup::PrimaryLink>(engine_, show_, *outputs_, post);
    primary_->set_show_digest(show_digest);
    if (backup_followed) primary_->await_backup();
    std::string note;
    if (!settings_.backup_of.empty()) note = sj("BackupOfがIPv4アドレスではありません: 主機として動きます");
    if (!primary_->start(kBackupLinkPort, error)) {
        std::snprintf(text, sizeof text, sj("予備機のためのポート%uを開けません: %s"), unsigned(kBackupLinkPort),
                      error.c_str());
        note = text;
    }
    return note;
}

void ConsoleBackup::stop() {
    if (primary_) primary_->stop();
    if (backup_) backup_->stop();
}

bool ConsoleBackup::tick(uint64_t show_digest, MessageLine& line) {
    if (primary_) {
        primary_->set_show_digest(show_digest);
        return primary_->backed();
    }
    if (!backup_) return false;
    backup_->set_show_digest(show_digest);
    backup::ShowImages images;
    if (backup_->take_copied_show(images)) {
        const bool placed = backup::swap_in_copied_show(engine_, show_, images, data_folder_,
                                                         data_folder_ + "BACKUP.TMP");
        line.set(backup::note_message(placed ? backup::LinkNote::copy_done : backup::LinkNote::copy_failed),
                 !placed);
    }
    return false;
}

std::string ConsoleBackup::status_message() const {
    if (primary_) return backup::status_message(primary_->status());
    if (backup_) return backup::status_message(backup_->status());
    return {};
}

void ConsoleBackup::copy_primary_show() {
    if (backup_) backup_->copy_primary_show();
}

}  // namespace prismel
