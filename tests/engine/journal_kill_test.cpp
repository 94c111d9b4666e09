// Kill -9 at random moments of table and journal writes, a few hundred
// times: every file is whole (the old or the new), and a start either plays
// on or starts in standby saying why; never a torn or damaged journal.
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
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"
#include "support/temp_dir.h"

namespace prismel::test {
namespace {

// Two shows that differ in their scenes.
std::unique_ptr<ShowData> show_variant(int v) {
    auto show = std::make_unique<ShowData>();
    for (int s = 0; s < kScenes; ++s) show->scenes[s].size[s % kFixtures] = static_cast<uint8_t>(v + 1);
    return show;
}

// The scene file and the journal written in turn, as the editors' tick and
// the keeper would, until the process is killed.
[[noreturn]] void write_forever(const std::string& folder, const std::string& journal) {
    std::unique_ptr<ShowData> shows[2] = {show_variant(0), show_variant(1)};
    for (int i = 0;; ++i) {
        write_table(*shows[i % 2], ShowTable::kScenes, folder);
        write_journal_file(journal, JournalEntry{show_digest(*shows[i % 2]), false, {i % kCues, i % 2}, 0});
    }
}

TEST(JournalKill, KilledWritesLeaveWholeFilesAndAStartThatPlaysOnOrSaysWhy) {
    TempDir dir;
    const std::string journal = dir.file("prismel.JNL"), scn = show_file_name(dir.folder(), ShowTable::kScenes);
    const std::vector<unsigned char> images[2] = {table_image(*show_variant(0), ShowTable::kScenes),
                                                  table_image(*show_variant(1), ShowTable::kScenes)};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delay_us(0, 20000);
    int runs = 0, mid_write = 0, resumed = 0, standby_said = 0, none = 0;
    auto start_show = std::make_unique<ShowData>();
    for (; runs < 400; ++runs) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) write_forever(dir.folder(), journal);
        std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        std::error_code ec;
        mid_write += std::filesystem::exists(scn + ".tmp", ec) || std::filesystem::exists(journal + ".tmp", ec);

        const std::vector<unsigned char> on_disk = read_bytes(scn);
        EXPECT_TRUE(on_disk.empty() || on_disk == images[0] || on_disk == images[1]) << "run " << runs;
        if (!on_disk.empty()) {
            ASSERT_EQ(read_table(*start_show, ShowTable::kScenes, dir.folder()), 1);
        }
        const JournalStart start = read_journal_at_start(journal, show_digest(*start_show));
        resumed += start.kind == JournalStart::Kind::resume;
        standby_said += start.kind == JournalStart::Kind::refused && start.fault == JournalFault::other_show;
        none += start.kind == JournalStart::Kind::none;
        EXPECT_TRUE(start.kind != JournalStart::Kind::refused || start.fault == JournalFault::other_show)
            << "run " << runs << ": journal refused for " << int(start.fault);
    }
    std::printf("kill loop: %d runs, %d killed in a write; next start: %d play on, %d standby saying the "
                "journal is of the other show, %d without a journal\n",
                runs, mid_write, resumed, standby_said, none);
    EXPECT_GT(resumed, 0);
    EXPECT_GT(mid_write, 0);
}

}  // namespace
}  // namespace prismel::test
