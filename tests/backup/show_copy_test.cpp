// The primary's show copied part by part whatever the network does to the
// parts (lost, repeated, from another copy, forged), and swapped in whole or
// not at all.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "backup/show_copy.h"
#include "data/show_digest.h"
#include "platform/simulated_remote_port.h"
#include "support/temp_dir.h"

namespace prismel::backup {
namespace {

using ms = std::chrono::milliseconds;
using State = ShowAssembly::State;

class ShowCopyTest : public ::testing::Test {
protected:
    ShowCopyTest() : primary_(std::make_unique<ShowData>()), engine_(*primary_, port_) {
        primary_->scenes[3].name[0] = 'S';
        primary_->cues[0].scene = 3;
        primary_->colours.rec[450].y = 0x5C;
        engine_.initialise();
        engine_.release();
    }
    ~ShowCopyTest() override { engine_.shut_down(); }

    // Runs a copy: every 50 ms the due requests go out, `network` decides
    // what comes back of each answer. The state at the end (or after 20 s).
    State copy(ShowAssembly& a, const std::function<void(ShowPart&, int n, std::vector<ShowPart>& out)>& network) {
        ShowSnapshot snapshot = snapshot_of(engine_, *primary_);
        int n = 0;
        a.begin(ms{0});
        for (int t = 0; t < 20000 && a.state() == State::copying; t += 50) {
            for (const ShowRequest& r : a.due(ms{t})) {
                ShowPart answer = part_of(snapshot, r);
                std::vector<ShowPart> arriving;
                network(answer, n++, arriving);
                for (const ShowPart& p : arriving) a.take(p, ms{t});
            }
        }
        return a.state();
    }

    std::unique_ptr<ShowData> primary_;
    SimulatedRemotePort port_;
    PlaybackEngine engine_;
};

TEST_F(ShowCopyTest, TheWholeShowArrivesWhateverHappensToTheParts) {
    using Out = std::vector<ShowPart>;
    const struct {
        const char* what;
        std::function<void(ShowPart&, int, Out&)> network;
        State end;
    } cases[] = {
        {"every part as it was sent", [](ShowPart& p, int, Out& out) { out.push_back(p); }, State::done},
        {"every third part lost", [](ShowPart& p, int n, Out& out) { if (n % 3) out.push_back(p); }, State::done},
        {"every part twice, a stray of another copy and one of a wrong size behind it",
         [](ShowPart& p, int, Out& out) {
             ShowPart stray = p, odd = p;
             stray.copy ^= 1;
             stray.bytes.fill(0xEE);
             odd.length = 3;
             out.insert(out.end(), {p, p, stray, odd});
         },
         State::done},
        {"the primary begins a new copy once",
         [](ShowPart& p, int n, Out& out) { out.push_back(n == 5 ? ShowPart{p.copy, 0, true} : p); }, State::done},
        {"the primary begins new copies for ever",
         [](ShowPart& p, int, Out& out) { out.push_back(ShowPart{p.copy, 0, true}); }, State::failed},
        {"a byte forged once: the copy is made again",
         [](ShowPart& p, int n, Out& out) { p.bytes[0] ^= n == 7; out.push_back(p); }, State::done},
        {"a byte forged in every copy",
         [](ShowPart& p, int, Out& out) { p.bytes[0] ^= p.offset == 0; out.push_back(p); }, State::failed},
        {"nothing comes back", [](ShowPart&, int, Out&) {}, State::failed},
    };
    for (const auto& c : cases) {
        ShowAssembly a;
        EXPECT_EQ(copy(a, c.network), c.end) << c.what;
        for (int i = 0; c.end == State::done && i < kShowFiles; ++i)
            EXPECT_TRUE(table_matches_image(*primary_, kShowTables[i], a.images()[size_t(i)].data())) << c.what;
    }
}

TEST_F(ShowCopyTest, ASwapPutsEveryTableInPlaceOrNone) {
    ShowAssembly a;
    ASSERT_EQ(copy(a, [](ShowPart& p, int, auto& out) { out.push_back(p); }), State::done);
    test::TempDir dir;
    auto backup = std::make_unique<ShowData>();
    ASSERT_EQ(write_all_tables(*backup, dir.folder()), 0);
    const uint64_t before = show_digest(*backup);

    // A data folder that cannot be written: nothing changes.
    EXPECT_FALSE(swap_in_copied_show(engine_, *backup, a.images(), dir.folder() + "missing/", dir.file("STAGE")));
    EXPECT_EQ(show_digest(*backup), before);

    ASSERT_TRUE(swap_in_copied_show(engine_, *backup, a.images(), dir.folder(), dir.file("STAGE")));
    EXPECT_EQ(show_digest(*backup), show_digest(*primary_));
    auto read_back = std::make_unique<ShowData>();
    ASSERT_EQ(read_all_tables(*read_back, dir.folder()), 0);
    EXPECT_EQ(show_digest(*read_back), show_digest(*primary_));
    EXPECT_FALSE(std::filesystem::exists(dir.file("STAGE")));
}

}  // namespace
}  // namespace prismel::backup
