#pragma once
// The engine's mutex: recursive (an edit of the show's tables holds it around
// engine operations) and, where the system has it, with priority
// inheritance. The output thread runs in a real-time class when it may; if it
// has to wait for the mutex while the window thread holds it, the window
// thread runs at the output thread's priority until it gives the mutex up,
// so a busy machine cannot stretch a hold of a few microseconds into a late
// frame.
#include <pthread.h>

namespace prismel {

class EngineMutex {
public:
    EngineMutex();
    ~EngineMutex();
    EngineMutex(const EngineMutex&) = delete;
    EngineMutex& operator=(const EngineMutex&) = delete;

    void lock();
    void unlock();
    bool try_lock();
    // Whether the system accepted priority inheritance for this mutex.
    bool inherits_priority() const { return inherits_; }

private:
    pthread_mutex_t mutex_;
    bool inherits_ = false;
};

}  // namespace prismel
