#pragma once
// Inside the engine only: the guard every state-changing operation runs under.
#include <mutex>

#include "engine/playback_engine.h"

namespace prismel {

// Takes the mutex (so no step is rendering) and raises the hold counter for
// the life of the change; the counter is lowered before the mutex is given up.
class PlaybackEngine::Change {
public:
    explicit Change(PlaybackEngine& e) : engine_(e), lock_(e.mutex_) { engine_.hold(); }
    ~Change() { engine_.release(); }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

private:
    PlaybackEngine& engine_;
    std::lock_guard<EngineMutex> lock_;
};

}  // namespace prismel
