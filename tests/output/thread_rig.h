#pragma once
// The output thread on the made-up network and clock of fake_network.h: a
// run of the loop is as long as the test says, in no time.
#include <functional>
#include <memory>
#include <vector>

#include "fake_network.h"
#include "output/artnet_thread.h"

namespace prismel::test {

using namespace prismel::artnet;

struct Rig {
    std::shared_ptr<FakeWorld> world = std::make_shared<FakeWorld>();
    std::unique_ptr<TArtnetThread> thread;
    nanoseconds start{};

    explicit Rig(std::vector<LocalAddress> rows = {row({{127, 0, 0, 1}}, 8, 1, true, true), row({{2, 0, 0, 1}}, 8, 2)}) {
        world->rows = std::move(rows);
    }
    TArtnetThread& create(const OutputSettings& settings = {}) {
        start = world->now;
        thread = std::make_unique<TArtnetThread>(std::make_unique<FakeNetwork>(world),
                                                 std::make_unique<FakeClock>(world), settings);
        return *thread;
    }
    // Runs the loop until the fake clock passes d; extra sees every wake-up.
    void run_for(nanoseconds d, std::function<void(FakeWorld&, nanoseconds)> extra = {}) {
        if (!thread) create();
        nanoseconds end = start + d;
        TArtnetThread* t = thread.get();
        nanoseconds origin = start;
        world->after_sleep = [=](FakeWorld& w) {
            if (extra) extra(w, w.now - origin);
            if (w.now > end) t->terminate();
        };
        thread->start(false);
        thread->join();
    }
    std::vector<SentDatagram> dmx() { return world->sent_with(0x5000); }
    long ms(const SentDatagram& s) const { return long((s.at - start) / 1ms); }
    std::vector<long> times_ms(const std::vector<SentDatagram>& v) const {
        std::vector<long> out;
        for (auto& s : v) out.push_back(ms(s));
        return out;
    }
};

}  // namespace prismel::test
