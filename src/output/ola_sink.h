#pragma once
// The frame to a universe of OLA's daemon, when it changed and at least once
// a second. The client calls may block, so they run on a side thread fed
// with the newest frame; the loop only hands frames over. Without olad (not
// running, stopped, restarting) the output says so and the side thread tries
// again once a second; once connected it sends the newest frame at once, so
// a restarted daemon has the levels again. A daemon that takes no frame for
// three seconds (hung, with the connection open) shows as not answering.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "output/dmx_sink.h"
#include "output/frame_handoff.h"
#include "output/ola_connection.h"
#include "output/side_thread.h"

namespace prismel::artnet {

class OlaSink final : public DmxSink {
public:
    static constexpr std::chrono::seconds kRepeat{1};
    static constexpr std::chrono::seconds kConnectAgain{1};
    static constexpr std::chrono::seconds kStuck{3};
    using Connect = std::function<std::unique_ptr<OlaConnection>()>;

    OlaSink(Connect connect, int universe);
    ~OlaSink() override;

    Protocol kind() const override { return Protocol::ola; }
    void take(const SinkFrame& f) override;
    void resend() override { resend_ = true; }
    void apply(const OutputSettings& s) override;
    OutputStatus state() const override {
        return stuck_ ? OutputStatus::no_ola : shared_->status.load(std::memory_order_relaxed);
    }
    std::string where() const override { return std::to_string(shared_->universe.load()); }
    // Frames replaced by a newer one before the side thread took them.
    uint64_t dropped() const override { return dropped_; }
    void retire() override { side_.request_stop(); }
    bool idle() const override { return side_.finished(); }

    struct Shared {
        FrameHandoff handoff;
        std::atomic<int> universe{1};
        std::atomic<OutputStatus> status{OutputStatus::no_ola};
        std::atomic<uint64_t> sent{0};  // frames olad took
    };

private:
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    SideThread side_;
    FrameHandoff::Frame last_{};
    bool handed_ = false;
    bool resend_ = true;
    std::chrono::nanoseconds last_handed_{};
    uint64_t sent_seen_ = 0;
    std::chrono::nanoseconds last_sent_{};  // when sent_seen_ last grew
    bool stuck_ = false;
    uint64_t dropped_ = 0;
};

}  // namespace prismel::artnet
