#pragma once
// How the output thread asks the system to run it ahead of everything else on
// the machine: the window, the X server and other programs must never make a
// frame late. Where the system allows it (root or CAP_SYS_NICE, or an
// RLIMIT_RTPRIO), the thread runs in the real-time FIFO class; elsewhere it
// falls back to a raised nice value, and where that is refused too, it runs
// as it is. Nothing is reported to the operator either way.
namespace prismel::artnet {

enum class OutputScheduling {
    kRealTime,  // SCHED_FIFO at kOutputRealTimePriority
    kRaised,    // normal class, nice kOutputNice
    kNormal,    // both refused: as the thread was
};

// Low among real-time priorities: above every normal thread, below the
// kernel's own real-time threads and anything an administrator raised higher.
constexpr int kOutputRealTimePriority = 10;
constexpr int kOutputNice = -5;

// For the calling thread. A child process forked from it starts in the
// normal class again.
OutputScheduling raise_output_thread_scheduling();

// The calling thread's name as tools show it (top -H, ps -L, perf); at most
// 15 bytes are kept.
void name_current_thread(const char* name);

}  // namespace prismel::artnet
