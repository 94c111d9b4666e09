// The console's life across ends: what the last run's journal makes of a
// start, and an orderly end that writes the open editors' tables and marks
// the journal clean.
#include <string>

#include "data/show_digest.h"
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"
#include "main_form_fixture.h"
#include "platform/text_codec.h"
#include "screens/Editscn.h"
#include "shell/console_journal.h"

using namespace prismel;
using namespace prismel::test;

namespace {

class JournalStartTest : public MainFormTest {
protected:
    std::string journal() const { return journal_path_in(dir.folder(), exe()); }
    // The digest of the show as the console loads it, from a clean run's journal.
    uint64_t loaded_show_digest() {
        start();
        form->stop_by_signal();
        form.reset();
        return read_journal_at_start(journal(), 0).entry.show_digest;
    }
};

TEST_F(JournalStartTest, TheLastRunsJournalDecidesTheStart) {
    g_show.cues[1].scene = 2;
    write_show();
    copy_presets();
    const uint64_t show = loaded_show_digest();
    auto entry = [show](bool clean, uint64_t digest_change = 0) {
        JournalEntry e;
        e.show_digest = show + digest_change;
        e.clean_end = clean;
        e.playback.cue = 1;
        e.playback.scene = 2;
        e.universe = 7;
        return e;
    };
    const std::string restored = sj("異常終了前の出力を復元しました");
    struct Case {
        const char* what;
        const char* option;  // ResumeAfterCrash, or nullptr for the default
        std::function<void()> leave;
        int cue;
        std::string message;
    } cases[] = {
        {"no journal", nullptr, [&] { std::remove(journal().c_str()); }, kNone, ""},
        {"a clean end", nullptr, [&] { write_journal_file(journal(), entry(true)); }, kNone, ""},
        {"an unexpected end", nullptr, [&] { write_journal_file(journal(), entry(false)); }, 1, restored},
        {"an unexpected end, resume off", "0", [&] { write_journal_file(journal(), entry(false)); }, kNone, ""},
        {"a torn journal", "1",
         [&] { write_text(journal(), "PRSMJRNL\x01"); }, kNone,
         sj("再生記録が途中で切れています: スタンバイで開始しました")},
        {"another show's journal", nullptr, [&] { write_journal_file(journal(), entry(false, 1)); }, kNone,
         sj("再生記録は別のショーのものです: スタンバイで開始しました")},
    };
    for (const Case& c : cases) {
        write_text(ini_path(), std::string("[General]\nTxUniverse=2\n") +
                                   (c.option ? std::string("[Option]\nResumeAfterCrash=") + c.option + "\n" : ""));
        c.leave();
        start();
        const bool resumed = c.cue != kNone;
        EXPECT_EQ(g_engine.live_playback().cue, c.cue) << c.what;
        EXPECT_EQ(g_engine.live_playback().scene, resumed ? 2 : kNone) << c.what;
        EXPECT_EQ(output_log.first_frame_stepped, resumed) << c.what;
        EXPECT_EQ(output_log.universe, resumed ? 7 : 2) << c.what;
        EXPECT_EQ(std::string(g_screen->message_line()), c.message) << c.what;
        form.reset();  // no orderly end: the journal stays open
        output_log = {};
    }
}

TEST_F(JournalStartTest, AStopSignalClosesTheEditorsWritesTheirTablesAndEndsCleanly) {
    write_show();
    copy_presets();
    start_shown();
    g_engine.go_to_cue(0);
    ASSERT_EQ(editscn_open(g_main_menu), 1);
    std::snprintf(g_show.scenes[0].name, sizeof g_show.scenes[0].name, "KEPT");
    form->stop_by_signal();
    EXPECT_TRUE(form->closed());
    EXPECT_FALSE(editscn_is_open());
    auto on_disk = std::make_unique<ShowData>();
    ASSERT_EQ(read_table(*on_disk, ShowTable::kScenes, dir.folder()), 1);
    EXPECT_STREQ(on_disk->scenes[0].name, "KEPT");
    const JournalStart next = read_journal_at_start(journal(), show_digest(g_show));
    EXPECT_EQ(next.kind, JournalStart::Kind::clean);
    EXPECT_EQ(next.entry.show_digest, show_digest(g_show));
    EXPECT_EQ(next.entry.playback.cue, 0);
}

}  // namespace
