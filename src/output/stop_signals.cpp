#include "output/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace prismel::artnet {

namespace {

volatile sig_atomic_t g_stop = 0;
int g_pipe[2] = {-1, -1};

void on_stop_signal(int) {
    int saved = errno;
    g_stop = 1;
    char b = 1;
    (void)!write(g_pipe[1], &b, 1);
    errno = saved;
}

}  // namespace

bool install_stop_signals() {
    if (g_pipe[0] >= 0) return true;
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction sa {};
    sa.sa_handler = on_stop_signal;
    sigemptyset(&sa.sa_mask);
    return sigaction(SIGINT, &sa, nullptr) == 0 && sigaction(SIGTERM, &sa, nullptr) == 0;
}

bool stop_requested() { return g_stop != 0; }

int stop_signal_fd() { return g_pipe[0]; }

}  // namespace prismel::artnet
