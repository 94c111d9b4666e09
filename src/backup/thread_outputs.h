#pragma once
// The link's view of the output thread (link_outputs.h): the hold is the
// thread's set of held outputs, every one of them, or every one but sACN
// for a hot backup, whose sACN sends all the time at priority 99.
#include "backup/link_outputs.h"
#include "output/artnet_thread.h"

namespace prismel::backup {

// The outputs held: none, all, or all but sACN (hot).
constexpr artnet::Protocol held_outputs(bool held, bool hot) {
    constexpr artnet::Protocol all = artnet::Protocol(artnet::kAllProtocols);
    if (!held) return artnet::Protocol(0);
    return hot ? artnet::without(all, artnet::Protocol::sacn) : all;
}

class ThreadOutputs final : public LinkOutputs {
public:
    ThreadOutputs(artnet::TArtnetThread& thread, bool hot) : thread_(thread), hot_(hot) {}
    void hold(bool held) override {
        held_.store(held);
        thread_.set_outputs_held(held_outputs(held, hot_));
    }
    bool sending() const override {
        return !held_.load() && thread_.outputs_enabled() && thread_.status() == artnet::OutputStatus::ok;
    }
    void watch(uint32_t address) override { thread_.watch_artdmx_from(artnet::Ipv4::from_value(address)); }
    uint64_t watched() const override { return thread_.watched_artdmx(); }

private:
    artnet::TArtnetThread& thread_;
    const bool hot_;
    std::atomic<bool> held_{false};
};

}  // namespace prismel::backup
