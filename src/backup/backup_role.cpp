#include "backup/backup_role.h"

namespace prismel::backup {

void RoleMachine::heartbeat(Time now, bool sending) {
    heartbeat_ = now;
    if (sending) output_ = now;
    if (role_ == BackupRole::starting) role_ = BackupRole::following;
}

void RoleMachine::output(Time now) { output_ = now; }

BackupRole RoleMachine::tick(Time now) {
    const bool heard = within(heartbeat_, now, kTakeover) || within(output_, now, kTakeover);
    switch (role_) {
    case BackupRole::starting:
        if (!heard && now - started_ >= kStartGrace) role_ = BackupRole::active;
        break;
    case BackupRole::following:
        if (!heard) role_ = BackupRole::active;
        break;
    case BackupRole::active:
        if (!within(heartbeat_, now, kPresence) || !within(output_, now, kPresence)) {
            together_since_.reset();
        } else if (!together_since_) {
            together_since_ = now;
        } else if (now - *together_since_ >= kGiveBack) {
            together_since_.reset();
            role_ = BackupRole::following;
        }
        break;
    }
    return role_;
}

}  // namespace prismel::backup
