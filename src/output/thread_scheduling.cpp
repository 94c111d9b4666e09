#include "output/thread_scheduling.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

namespace prismel::artnet {

namespace {

bool try_real_time() {
#if defined(SCHED_FIFO)
    sched_param p{};
    const int lowest = sched_get_priority_min(SCHED_FIFO);
    const int highest = sched_get_priority_max(SCHED_FIFO);
    int prio = kOutputRealTimePriority;
    // Without the capability an RLIMIT_RTPRIO may still allow a lower one.
    rlimit limit{};
    if (geteuid() != 0 && getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        rlim_t(prio) > limit.rlim_cur)
        prio = int(limit.rlim_cur);
    if (prio < lowest || prio > highest) return false;
    p.sched_priority = prio;
#if defined(SCHED_RESET_ON_FORK)
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &p) == 0) return true;
#endif
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &p) == 0;
#else
    return false;
#endif
}

}  // namespace

OutputScheduling raise_output_thread_scheduling() {
    if (try_real_time()) return OutputScheduling::kRealTime;
    // A nice value below the default is per thread on Linux (the thread id).
    if (setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), kOutputNice) == 0) return OutputScheduling::kRaised;
    return OutputScheduling::kNormal;
}

void name_current_thread(const char* name) {
    char buf[16] = {};
    std::strncpy(buf, name ? name : "", sizeof buf - 1);
    (void)pthread_setname_np(pthread_self(), buf);
}

}  // namespace prismel::artnet
