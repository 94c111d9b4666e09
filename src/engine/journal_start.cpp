#include "engine/journal_start.h"

#include <filesystem>
#include <system_error>

#include "platform/durable_file.h"
#include "platform/text_codec.h"

namespace prismel {

JournalStart read_journal_at_start(const std::string& path, uint64_t show_digest) {
    JournalStart s;
    std::string bytes;
    if (!read_small_file(path, 4 * kJournalBytes, bytes)) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) return s;
        s.kind = JournalStart::Kind::refused;
        s.fault = JournalFault::damaged;
        return s;
    }
    const JournalRead r =
        decode_journal(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), show_digest);
    if (r.fault != JournalFault::none) {
        s.kind = JournalStart::Kind::refused;
        s.fault = r.fault;
        return s;
    }
    s.kind = r.entry.clean_end ? JournalStart::Kind::clean : JournalStart::Kind::resume;
    s.entry = r.entry;
    return s;
}

void resume_from(PlaybackEngine& engine, const JournalStart& start) {
    if (start.kind == JournalStart::Kind::resume) engine.resume(start.entry.playback);
}

const char* journal_start_message(const JournalStart& start) {
    // Standby restored is standby: nothing to tell.
    if (start.kind == JournalStart::Kind::resume)
        return start.entry.playback == PlaybackRecord{} ? nullptr : sj("異常終了前の出力を復元しました");
    if (start.kind != JournalStart::Kind::refused) return nullptr;
    switch (start.fault) {
    case JournalFault::torn: return sj("再生記録が途中で切れています: スタンバイで開始しました");
    case JournalFault::other_version: return sj("再生記録の版が違います: スタンバイで開始しました");
    case JournalFault::other_show: return sj("再生記録は別のショーのものです: スタンバイで開始しました");
    case JournalFault::damaged:
    case JournalFault::none: break;
    }
    return sj("再生記録が壊れています: スタンバイで開始しました");
}

}  // namespace prismel
