#include "backup/link_notes.h"

#include "platform/text_codec.h"

namespace prismel::backup {

const char* note_message(LinkNote note) {
    switch (note) {
    case LinkNote::backup_joined: return sj("予備機が追従しています");
    case LinkNote::backup_lost: return sj("予備機が応答しません");
    case LinkNote::adopted: return sj("予備機の出力を引き継ぎました");
    case LinkNote::following: return sj("主機に追従しています");
    case LinkNote::took_over: return sj("主機が応答しません: この予備機が出力します");
    case LinkNote::gave_back: return sj("主機が戻りました: 追従に戻ります");
    case LinkNote::show_differs: return sj("主機とショーが違います");
    case LinkNote::show_same: return sj("主機と同じショーになりました");
    case LinkNote::copy_started: return sj("主機のショーを取り込んでいます...");
    case LinkNote::copy_done: return sj("主機のショーを取り込みました");
    case LinkNote::copy_failed: return sj("主機のショーを取り込めません: ショーはそのままです");
    case LinkNote::no_primary: return sj("主機が応答しないため取り込めません");
    }
    return "";
}

const char* note_text(LinkNote note) {
    switch (note) {
    case LinkNote::backup_joined: return "a backup follows";
    case LinkNote::backup_lost: return "the backup went silent";
    case LinkNote::adopted: return "took over the active backup's output";
    case LinkNote::following: return "following the primary";
    case LinkNote::took_over: return "the primary went silent: this backup sends";
    case LinkNote::gave_back: return "the primary is back: following again";
    case LinkNote::show_differs: return "the show differs from the primary's (take-show copies it)";
    case LinkNote::show_same: return "the show is the primary's again";
    case LinkNote::copy_started: return "copying the primary's show";
    case LinkNote::copy_done: return "the primary's show is in place";
    case LinkNote::copy_failed: return "the primary's show could not be copied; the show is unchanged";
    case LinkNote::no_primary: return "no primary answers: nothing to copy";
    }
    return "";
}

namespace {

// The end panel has room for nine columns at the smallest window: the
// role, and on a backup whether its show is the primary's.
const char* role_message(LinkStatus::Role r, bool differs) {
    switch (r) {
    case LinkStatus::Role::none: return "";
    case LinkStatus::Role::primary_alone: return sj("予備なし");
    case LinkStatus::Role::primary_backed: return sj("予備あり");
    case LinkStatus::Role::primary_overruled: return sj("予備出力");
    case LinkStatus::Role::backup_starting: return differs ? sj("別ｼｮｰ待機") : sj("予備:待機");
    case LinkStatus::Role::backup_following: return differs ? sj("別ｼｮｰ追従") : sj("予備:追従");
    case LinkStatus::Role::backup_active: return differs ? sj("別ｼｮｰ出力") : sj("予備:出力");
    }
    return "";
}

const char* role_text(LinkStatus::Role r) {
    switch (r) {
    case LinkStatus::Role::none: return "";
    case LinkStatus::Role::primary_alone: return "primary without a backup";
    case LinkStatus::Role::primary_backed: return "primary with a backup";
    case LinkStatus::Role::primary_overruled: return "primary, its backup sends too";
    case LinkStatus::Role::backup_starting: return "backup waiting for its primary";
    case LinkStatus::Role::backup_following: return "backup following";
    case LinkStatus::Role::backup_active: return "backup active";
    }
    return "";
}

}  // namespace

std::string status_message(const LinkStatus& s) { return role_message(s.role, s.show_differs); }

std::string status_text(const LinkStatus& s) {
    std::string text = role_text(s.role);
    if (s.show_differs) text += ", other show";
    return text;
}

}  // namespace prismel::backup
