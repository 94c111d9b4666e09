// Kill -9 at random moments of the table and journal writes, a few hundred
// times: every file is whole (the old or the new), and what a start makes of
// the folder is either to play on or to start in standby saying why, never a
// torn or damaged journal.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>

#include "data/show_digest.h"
#include "data/show_files.h"
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

constexpr int kRuns = 400;

// Two shows that differ in their scenes only.
std::unique_ptr<ShowData> show_variant(int v) {
    auto show = std::make_unique<ShowData>();
    for (int s = 0; s < kScenes; ++s) {
        std::snprintf(show->scenes[s].name, sizeof show->scenes[s].name, "V%d S%d", v, s);
        for (int f = 0; f < kFixtures; ++f) show->scenes[s].size[f] = static_cast<uint8_t>(v * 100 + f);
    }
    return show;
}

// The child: the scene file and the journal, written one after the other as
// an editor's tick and the keeper would, until it is killed.
[[noreturn]] void write_forever(const std::string& folder, const std::string& journal) {
    std::unique_ptr<ShowData> shows[2] = {show_variant(0), show_variant(1)};
    const uint64_t digests[2] = {show_digest(*shows[0]), show_digest(*shows[1])};
    for (int i = 0;; ++i) {
        const int v = i % 2;
        write_table(*shows[v], ShowTable::kScenes, folder);
        JournalEntry e;
        e.show_digest = digests[v];
        e.playback.cue = i % kCues;
        e.playback.scene = v;
        write_journal_file(journal, e);
    }
}

struct Counts {
    int resumed = 0, other_show = 0, no_journal = 0, mid_write = 0, bad = 0;
};

TEST(JournalKill, KilledWritesLeaveWholeFilesAndAStartThatPlaysOnOrSaysWhy) {
    TempDir dir;
    const std::string journal = dir.file("prismel.JNL");
    const std::string scn = show_file_name(dir.folder(), ShowTable::kScenes);
    const std::vector<unsigned char> images[2] = {table_image(*show_variant(0), ShowTable::kScenes),
                                                  table_image(*show_variant(1), ShowTable::kScenes)};
    ASSERT_EQ(write_table(*show_variant(0), ShowTable::kScenes, dir.folder()), 1);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delay_us(0, 20000);
    Counts n;
    auto start_show = std::make_unique<ShowData>();
    for (int run = 0; run < kRuns; ++run) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) write_forever(dir.folder(), journal);
        std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const std::vector<unsigned char> on_disk = read_bytes(scn);
        const bool whole = on_disk == images[0] || on_disk == images[1];
        EXPECT_TRUE(whole) << "run " << run << ": the scene file holds " << on_disk.size() << " bytes of neither show";
        ASSERT_EQ(read_table(*start_show, ShowTable::kScenes, dir.folder()), 1);
        const JournalStart start = read_journal_at_start(journal, show_digest(*start_show));
        switch (start.kind) {
        case JournalStart::Kind::resume: ++n.resumed; break;
        case JournalStart::Kind::none: ++n.no_journal; break;
        case JournalStart::Kind::refused:
            if (start.fault == JournalFault::other_show) {
                ++n.other_show;
                break;
            }
            [[fallthrough]];
        default: ++n.bad; ADD_FAILURE() << "run " << run << ": journal refused for " << int(start.fault);
        }
        if (!whole) ++n.bad;
        std::error_code ec;
        if (std::filesystem::exists(scn + ".tmp", ec) || std::filesystem::exists(journal + ".tmp", ec)) ++n.mid_write;
    }
    std::printf("kill loop: %d runs, %d killed in the middle of a write; next start: %d resumed, "
                "%d standby (journal of the other show), %d without a journal; %d torn or damaged\n",
                kRuns, n.mid_write, n.resumed, n.other_show, n.no_journal, n.bad);
    EXPECT_EQ(n.bad, 0);
    EXPECT_GT(n.resumed, 0);
    EXPECT_GT(n.mid_write, 0);
}

}  // namespace
}  // namespace prismel::test
