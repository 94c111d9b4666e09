#pragma once
// The guard for every edit of a table the engine step reads (patch, cues,
// chases, scenes, colours) and for a group of engine operations that must
// reach the stage as one change. For its lifetime the step cannot run (it
// waits for the engine's lock) and the hold counter is raised, so no frame is
// ever rendered from a half-written scene, a fixture's start channel in the
// middle of a change, or half a preset call.
//
// The output thread waits while a ShowEdit lives: keep the scope to the
// write itself. Never ask the operator anything (message box, one-line
// input, file dialog) inside it.
#include <mutex>

#include "engine/playback_engine.h"

namespace prismel {

class ShowEdit {
public:
    explicit ShowEdit(PlaybackEngine& engine = g_engine) : engine_(engine), lock_(engine.mutex_) { engine_.hold(); }
    ~ShowEdit() { engine_.release(); }
    ShowEdit(const ShowEdit&) = delete;
    ShowEdit& operator=(const ShowEdit&) = delete;

private:
    PlaybackEngine& engine_;
    std::lock_guard<EngineMutex> lock_;
};

// A read of the tables and the engine state from a thread other than the
// window's (a remote's feedback): the engine's lock without the hold, so
// the run screen never sees a hold for it. The editors write under
// ShowEdit, so no record is read half-written. Keep it as short as an edit.
class ShowRead {
public:
    explicit ShowRead(const PlaybackEngine& engine = g_engine) : lock_(engine.mutex_) {}
    ShowRead(const ShowRead&) = delete;
    ShowRead& operator=(const ShowRead&) = delete;

private:
    std::lock_guard<EngineMutex> lock_;
};

}  // namespace prismel
