// The backup's role as a rule of time: what it hears of its primary, when,
// and the role it is in at given moments, on a clock that moves only as the
// case says.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backup/backup_role.h"

namespace prismel::backup {
namespace {

using ms = std::chrono::milliseconds;
using R = BackupRole;

// What happens at a moment (ms since the backup started): a heartbeat
// (sending or not), the primary's DMX seen, or a look at the role.
struct Event {
    enum What { beat, quiet_beat, dmx, look } what;
    int at;
    R role = R::starting;  // what a look must see
};
Event dmx(int at) { return {Event::dmx, at}; }
Event look(int at, R role) { return {Event::look, at, role}; }

// Heartbeats every 100 ms from `from` up to (not including) `to`.
std::vector<Event> beats(int from, int to, bool sending = true) {
    std::vector<Event> out;
    for (int t = from; t < to; t += 100) out.push_back({sending ? Event::beat : Event::quiet_beat, t});
    return out;
}

std::vector<Event> operator+(std::vector<Event> a, const std::vector<Event>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(BackupRole, FollowsTakesOverAndGivesBackByTheClock) {
    const struct {
        const char* what;
        std::vector<Event> events;
    } cases[] = {
        {"a backup alone waits its start grace, then sends",
         {look(0, R::starting), look(1999, R::starting), look(2000, R::active)}},
        {"it follows at the primary's first heartbeat",
         {{Event::beat, 300}, look(300, R::following), look(1299, R::following), look(1300, R::active)}},
        {"heartbeats every 100 ms keep it following", beats(0, 5000) + std::vector{look(5000, R::following)}},
        {"1 s without either: active, not before",
         beats(0, 1000) + std::vector{look(1899, R::following), look(1900, R::active)}},
        {"the primary's DMX alone keeps it following after the link went",
         beats(0, 500) + std::vector{dmx(900), dmx(1700), look(2600, R::following), look(2700, R::active)}},
        {"DMX before any heartbeat keeps a starting backup waiting",
         {dmx(1500), look(2400, R::starting), look(2500, R::active)}},
        {"back with heartbeat and output: following again after 2 s of both",
         beats(0, 1000) + std::vector{look(1900, R::active)} + beats(3000, 5200) +
             std::vector{look(4999, R::active), look(5000, R::following)}},
        {"a primary still holding its outputs is not given the stage",
         beats(0, 1000) + beats(3000, 8000, false) + std::vector{look(7900, R::active)}},
        {"a gap in the heartbeats starts the 2 s again",
         beats(0, 1000) + std::vector{look(1900, R::active)} + beats(3000, 4000) + beats(4600, 6700) +
             std::vector{look(6500, R::active), look(6600, R::following)}},
        {"DMX without heartbeats never gives back",
         beats(0, 1000) + std::vector{dmx(2000), dmx(2400), dmx(2800), dmx(3200), look(3300, R::active)}},
        {"dying again after giving back: active again",
         beats(0, 1000) + beats(3000, 5200) + std::vector{look(5100, R::following), look(6099, R::following),
                                                           look(6100, R::active)}},
    };
    for (const auto& c : cases) {
        std::vector<Event> events = c.events;
        // In the order of time, a look after whatever else happens at its moment.
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.at != b.at ? a.at < b.at : a.what != Event::look && b.what == Event::look;
        });
        RoleMachine machine(ms{0});
        int clock = 0;
        for (const Event& e : events) {
            // The link looks at the role every 20 ms as well as at each message.
            for (; clock + 20 < e.at; clock += 20) machine.tick(ms{clock + 20});
            const ms at{e.at};
            switch (e.what) {
            case Event::beat: machine.heartbeat(at, true); break;
            case Event::quiet_beat: machine.heartbeat(at, false); break;
            case Event::dmx: machine.output(at); break;
            case Event::look: break;
            }
            const R now = machine.tick(at);
            if (e.what == Event::look) {
                EXPECT_EQ(now, e.role) << c.what << " at " << e.at << " ms";
            }
        }
    }
}

}  // namespace
}  // namespace prismel::backup
