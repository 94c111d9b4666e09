#include "output/thread_scheduling.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "fake_network.h"
#include "output/artnet_thread.h"

using namespace prismel::artnet;
using namespace prismel::test;

namespace {

std::string name_of_this_thread() {
    char buf[32] = {};
    pthread_getname_np(pthread_self(), buf, sizeof buf);
    return buf;
}

// Whatever the system allows, the thread ends up where the result says, and
// nothing fails: real-time FIFO, or the raised nice value, or as it was.
TEST(OutputThreadScheduling, TheThreadRunsWhereTheResultSays) {
    std::thread t([] {
        const int nice_before = getpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)));
        const OutputScheduling got = raise_output_thread_scheduling();
        int policy = 0;
        sched_param p{};
        ASSERT_EQ(pthread_getschedparam(pthread_self(), &policy, &p), 0);
        const int nice_after = getpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)));
        switch (got) {
            case OutputScheduling::kRealTime:
                EXPECT_EQ(policy & ~SCHED_RESET_ON_FORK, SCHED_FIFO);
                EXPECT_GE(p.sched_priority, 1);
                EXPECT_LE(p.sched_priority, kOutputRealTimePriority);
                break;
            case OutputScheduling::kRaised:
                EXPECT_EQ(policy, SCHED_OTHER);
                EXPECT_EQ(nice_after, kOutputNice);
                break;
            case OutputScheduling::kNormal:
                EXPECT_EQ(policy, SCHED_OTHER);
                EXPECT_EQ(nice_after, nice_before);
                break;
        }
    });
    t.join();
}

TEST(OutputThreadScheduling, TheNameIsWhatToolsShowCutTo15Bytes) {
    std::thread t([] {
        name_current_thread("artnet");
        EXPECT_EQ(name_of_this_thread(), "artnet");
        name_current_thread("a-name-longer-than-fifteen");
        EXPECT_EQ(name_of_this_thread(), "a-name-longer-t");
    });
    t.join();
}

TEST(OutputThreadScheduling, TheArtnetLoopRunsUnderItsOwnName) {
    auto world = std::make_shared<FakeWorld>();
    world->rows = {row({{2, 0, 0, 1}}, 8, 2)};
    TArtnetThread thread(std::make_unique<FakeNetwork>(world), std::make_unique<FakeClock>(world));
    std::string seen;
    thread.set_step_hook([&](uint8_t*) { seen = name_of_this_thread(); });
    TArtnetThread* t = &thread;
    world->after_sleep = [t](FakeWorld& w) {
        if (w.sleeps > 2) t->terminate();
    };
    thread.start(false);
    thread.join();
    EXPECT_EQ(seen, "artnet");
}

}  // namespace
