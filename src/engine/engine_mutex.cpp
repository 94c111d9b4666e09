#include "engine/engine_mutex.h"

#include <cerrno>
#include <cstdlib>

namespace prismel {

EngineMutex::EngineMutex() {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    inherits_ = pthread_mutexattr_setprotocol(&attr, PTHREAD_PRIO_INHERIT) == 0;
    if (pthread_mutex_init(&mutex_, &attr) != 0) {
        // Refused with inheritance: a plain recursive mutex still guards.
        inherits_ = false;
        pthread_mutexattr_setprotocol(&attr, PTHREAD_PRIO_NONE);
        if (pthread_mutex_init(&mutex_, &attr) != 0) std::abort();
    }
    pthread_mutexattr_destroy(&attr);
}

EngineMutex::~EngineMutex() { pthread_mutex_destroy(&mutex_); }

void EngineMutex::lock() {
    // EAGAIN (recursion count exhausted) or EDEADLK cannot happen with the
    // guards' short scopes; continuing unguarded would be worse than stopping.
    if (pthread_mutex_lock(&mutex_) != 0) std::abort();
}

void EngineMutex::unlock() { pthread_mutex_unlock(&mutex_); }

bool EngineMutex::try_lock() { return pthread_mutex_trylock(&mutex_) == 0; }

}  // namespace prismel
