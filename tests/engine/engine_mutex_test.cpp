#include "engine/engine_mutex.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace prismel {
namespace {

TEST(EngineMutex, RecursiveWithPriorityInheritanceAndExclusive) {
    EngineMutex m;
    EXPECT_TRUE(m.inherits_priority());  // Linux has it for every mutex
    {
        std::lock_guard<EngineMutex> outer(m);
        std::lock_guard<EngineMutex> inner(m);  // an edit around an engine operation
        bool other_got_it = true;
        std::thread([&] { other_got_it = m.try_lock(); }).join();
        EXPECT_FALSE(other_got_it);
    }
    bool other_got_it = false;
    std::thread([&] {
        other_got_it = m.try_lock();
        if (other_got_it) m.unlock();
    }).join();
    EXPECT_TRUE(other_got_it);
}

}  // namespace
}  // namespace prismel
