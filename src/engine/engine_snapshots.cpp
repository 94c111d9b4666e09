#include <utility>

#include "engine/show_edit.h"

namespace prismel {

void PlaybackEngine::push_snapshot() {
    // Allocated before the mutex is taken, so a step never waits on the heap.
    auto snapshot = std::make_unique<EngineState>();
    Change change(*this);
    *snapshot = state_;
    snapshots_.push_back(std::move(snapshot));
}

int PlaybackEngine::pop_snapshot(int depth) {
    std::vector<std::unique_ptr<EngineState>> freed;  // freed after the mutex is given up
    {
        Change change(*this);
        const int n = static_cast<int>(snapshots_.size());
        const int keep = depth < 0 ? n - 1 : depth;
        if (keep < 0 || n <= keep) return 0;
        state_ = *snapshots_[keep];
        freed.reserve(n - keep);
        for (int i = keep; i < n; ++i) freed.push_back(std::move(snapshots_[i]));
        snapshots_.resize(keep);
    }
    return 1;
}

int PlaybackEngine::snapshot_depth() const {
    std::lock_guard<EngineMutex> lock(mutex_);
    return static_cast<int>(snapshots_.size());
}

}  // namespace prismel
