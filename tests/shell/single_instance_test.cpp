#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

using namespace prismel;

namespace {

std::string unique_name(const char* what) {
    return std::string("Prismel_test_") + what + "_" + std::to_string(getpid());
}

// Runs f in a child process and returns its exit code.
template <typename F>
int in_child(F f) {
    pid_t pid = fork();
    if (pid == 0) _exit(f());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
    std::string name = unique_name("second");
    {
        SingleInstance first(name.c_str());
        ASSERT_TRUE(first.first());
        EXPECT_EQ(in_child([&] { return SingleInstance(name.c_str()).already_running() ? 1 : 0; }), 1);
        SingleInstance again(name.c_str());
        EXPECT_FALSE(again.first());
    }
    SingleInstance after(name.c_str());
    EXPECT_TRUE(after.first());
}

TEST(SingleInstance, AKilledHolderLeavesNothingBehind) {
    std::string name = unique_name("killed");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
        SingleInstance held(name.c_str());
        char c = held.first() ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_TRUE(SingleInstance(name.c_str()).already_running());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(SingleInstance(name.c_str()).first());
    close(ready[0]);
    close(ready[1]);
}
