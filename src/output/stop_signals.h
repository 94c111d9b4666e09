#pragma once
// SIGINT and SIGTERM become a stop request that the main loop waits on, so
// the output thread ends normally and removes the address it added.

namespace prismel::artnet {

// Installs the handlers once; false when the system refuses.
bool install_stop_signals();
bool stop_requested();
// Readable once a stop signal has come (for poll); -1 before install.
int stop_signal_fd();

}  // namespace prismel::artnet
