// The outputs of the output thread: which are in use, the frame handed to
// each, and what the main thread sees of them.
#include <algorithm>

#include "output/artnet_thread.h"

namespace prismel::artnet {

namespace {

// A sink that cannot take changed settings in place is made anew.
bool needs_new_sink(Protocol kind, const OutputSettings& before, const OutputSettings& now) {
    return kind == Protocol::usbpro && before.usbpro_device != now.usbpro_device;
}

// Where no maker was given: an output that never reaches anything.
class MissingSink final : public DmxSink {
public:
    explicit MissingSink(Protocol kind) : kind_(kind) {}
    Protocol kind() const override { return kind_; }
    void take(const SinkFrame&) override {}
    void resend() override {}
    OutputStatus state() const override {
        return kind_ == Protocol::ola ? OutputStatus::no_ola : OutputStatus::no_device;
    }

private:
    Protocol kind_;
};

}  // namespace

std::unique_ptr<DmxSink> TArtnetThread::make_sink(Protocol kind) {
    std::unique_ptr<DmxSink> sink;
    switch (kind) {
    case Protocol::artnet: sink = std::make_unique<ArtnetSink>(path_, nodes, tx_universe, settings_); break;
    case Protocol::sacn: sink = std::make_unique<SacnSink>(path_, tx_universe, settings_); break;
    case Protocol::usbpro:
        if (devices_.usbpro) sink = devices_.usbpro(settings_);
        break;
    default:
        if (devices_.ola) sink = devices_.ola(settings_);
        break;
    }
    return sink ? std::move(sink) : std::make_unique<MissingSink>(kind);
}

// After the settings changed (settings_ holds the new ones): outputs leave,
// join or take the change; every output sends its next frame whatever it holds.
void TArtnetThread::arrange_sinks(const OutputSettings& before) {
    std::vector<std::unique_ptr<DmxSink>> arranged;
    for (Protocol kind : kOutputs) {
        auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](auto& s) { return s && s->kind() == kind; });
        std::unique_ptr<DmxSink> sink = it != sinks_.end() ? std::move(*it) : nullptr;
        const bool wanted = has(settings_.protocol, kind);
        if (sink && (!wanted || needs_new_sink(kind, before, settings_))) {
            sink->silence();
            sink->retire();
            retired_.push_back(std::move(sink));
        }
        if (!wanted) continue;
        if (sink) sink->apply(settings_);
        else sink = make_sink(kind);
        sink->resend();
        states_[size_t(output_index(kind))].store(sink->state());
        arranged.push_back(std::move(sink));
    }
    sinks_ = std::move(arranged);
    sacn_sink_ = nullptr;
    for (auto& s : sinks_)
        if (s->kind() == Protocol::sacn) sacn_sink_ = static_cast<SacnSink*>(s.get());
    in_use_.store(uint8_t(settings_.protocol));
    publish_reports();
}

void TArtnetThread::hand_out(unsigned number, std::chrono::nanoseconds now) {
    const bool enabled = outputs_enabled_.load(std::memory_order_relaxed);
    const Protocol held = Protocol(held_.load(std::memory_order_relaxed));
    const SinkFrame frame{frame_.data(), number, now};
    bool changed = false;
    for (auto& s : sinks_) {
        const bool on = enabled && !has(held, s->kind());
        bool& was = sending_[size_t(output_index(s->kind()))];
        if (on != was) {
            was = on;
            on ? s->resend() : s->silence();
        }
        if (on) s->take(frame);
        const OutputStatus state = s->state();
        changed |= states_[size_t(output_index(s->kind()))].exchange(state, std::memory_order_relaxed) != state;
    }
    if (changed) publish_reports();  // the dialog shows where a device was found at once
}

void TArtnetThread::end_sacn_stream() {
    if (sacn_sink_) sacn_sink_->end_stream();
}

void TArtnetThread::send_discovery() {
    if (sacn_sink_ && sending_[size_t(output_index(Protocol::sacn))]) sacn_sink_->send_discovery();
}

void TArtnetThread::reap_retired() {
    std::erase_if(retired_, [](auto& s) { return s->idle(); });
}

void TArtnetThread::close_sinks() {
    for (auto& s : sinks_) {
        s->retire();
        retired_.push_back(std::move(s));
    }
    sinks_.clear();
    sacn_sink_ = nullptr;
    retired_.clear();  // each waits a moment at most for its side thread
}

// Taken only when free: the loop never waits for the dialog reading them.
void TArtnetThread::publish_reports() {
    std::vector<OutputReport> reports;
    for (auto& s : sinks_) reports.push_back({s->kind(), s->state(), s->where(), s->dropped()});
    std::unique_lock lock(reports_mutex_, std::try_to_lock);
    if (lock) reports_ = std::move(reports);
}

std::vector<OutputReport> TArtnetThread::output_reports() const {
    std::vector<OutputReport> reports;
    {
        std::lock_guard lock(reports_mutex_);
        reports = reports_;
    }
    for (OutputReport& r : reports) r.status = output_status(r.kind);
    return reports;
}

OutputStatus TArtnetThread::output_status(Protocol one) const {
    if (!has(Protocol(in_use_.load()), one)) return OutputStatus::ok;
    if (one == Protocol::artnet || one == Protocol::sacn) return status_.load();
    return states_[size_t(output_index(one))].load(std::memory_order_relaxed);
}

OutputStatus TArtnetThread::status() const {
    const Protocol in_use = Protocol(in_use_.load());
    if (is_empty(in_use)) return OutputStatus::no_socket;  // nothing goes out
    OutputStatus worst = OutputStatus::ok;
    for (Protocol one : kOutputs)
        if (has(in_use, one)) worst = worse(worst, output_status(one));
    return worst;
}

}  // namespace prismel::artnet
