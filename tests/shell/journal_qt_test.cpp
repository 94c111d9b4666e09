// What the last run's journal makes of the console's start.
#include <string>

#include "engine/journal_keeper.h"
#include "main_form_fixture.h"
#include "platform/text_codec.h"
#include "shell/console_journal.h"

using namespace prismel;
using namespace prismel::test;

TEST_F(MainFormTest, TheLastRunsJournalDecidesTheStart) {
    g_show.cues[1].scene = 2;
    write_show();
    copy_presets();
    const std::string journal = journal_path_in(dir.folder(), exe());
    start();  // a clean run gives the digest of the show as the console loads it
    form->stop_by_signal();
    form.reset();
    const uint64_t show = read_journal_at_start(journal, 0).entry.show_digest;
    auto leave = [&](bool clean, uint64_t digest) {
        return [=] { write_journal_file(journal, JournalEntry{digest, clean, PlaybackRecord{1, 2}, 7}); };
    };
    const struct {
        const char* what;
        const char* resume_option;  // nullptr: the default
        std::function<void()> leave;
        bool resumed;
        const char* message;
    } cases[] = {
        {"no journal", nullptr, [&] { std::remove(journal.c_str()); }, false, ""},
        {"a clean end", nullptr, leave(true, show), false, ""},
        {"an unexpected end", nullptr, leave(false, show), true, sj("異常終了前の出力を復元しました")},
        {"an unexpected end, resume off", "0", leave(false, show), false, ""},
        {"a torn journal", "1", [&] { write_text(journal, "PRSMJRNL\x01"); }, false,
         sj("再生記録が途中で切れています: スタンバイで開始しました")},
        {"another show's journal", nullptr, leave(false, show + 1), false,
         sj("再生記録は別のショーのものです: スタンバイで開始しました")},
    };
    for (const auto& c : cases) {
        const std::string option = c.resume_option ? std::string("[Option]\nResumeAfterCrash=") + c.resume_option : "";
        write_text(ini_path(), "[General]\nTxUniverse=2\n" + option + "\n");
        c.leave();
        start();
        EXPECT_EQ(g_engine.live_playback(), (c.resumed ? PlaybackRecord{1, 2} : PlaybackRecord{})) << c.what;
        EXPECT_EQ(output_log.first_frame_stepped, c.resumed) << c.what;
        EXPECT_EQ(output_log.universe, c.resumed ? 7 : 2) << c.what;
        EXPECT_EQ(std::string(g_screen->message_line()), c.message) << c.what;
        form.reset();  // no orderly end: the journal stays open
        output_log = {};
    }
}
