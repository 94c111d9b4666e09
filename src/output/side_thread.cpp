#include "output/side_thread.h"

#include "output/thread_scheduling.h"

namespace prismel::artnet {

bool SideThread::Control::stopping() const {
    std::lock_guard lock(mutex_);
    return stop_;
}

bool SideThread::Control::pause(std::chrono::milliseconds d) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, d, [this] { return stop_; });
}

void SideThread::start(const char* name, std::function<void(Control&)> body, std::function<void()> wake) {
    control_ = std::make_shared<Control>();
    control_->wake_ = std::move(wake);
    thread_ = std::thread([control = control_, name, body = std::move(body)] {
        name_current_thread(name);
        body(*control);
        std::lock_guard lock(control->mutex_);
        control->done_ = true;
        control->changed_.notify_all();
    });
}

void SideThread::request_stop() {
    if (!control_) return;
    std::function<void()> wake;
    {
        std::lock_guard lock(control_->mutex_);
        if (control_->stop_) return;
        control_->stop_ = true;
        wake = control_->wake_;
        control_->changed_.notify_all();
    }
    if (wake) wake();
}

bool SideThread::finished() const {
    if (!control_) return true;
    std::lock_guard lock(control_->mutex_);
    return control_->done_;
}

void SideThread::stop_within(std::chrono::milliseconds limit) {
    if (!thread_.joinable()) return;
    request_stop();
    bool done;
    {
        std::unique_lock lock(control_->mutex_);
        done = control_->changed_.wait_for(lock, limit, [this] { return control_->done_; });
    }
    if (done) thread_.join();
    else thread_.detach();
}

}  // namespace prismel::artnet
