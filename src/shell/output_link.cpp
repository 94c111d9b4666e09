#include "shell/output_link.h"

namespace prismel {
namespace {

// Stands in until the Art-Net thread is wired: steps nothing, sends nothing,
// and the status line shows "DMX:NG".
class NoOutput : public OutputLink {
public:
    void set_step_hook(std::function<void(DmxFrame&)> hook) override { hook_ = std::move(hook); }
    void set_universe(int universe) override { universe_ = universe; }
    int universe() const override { return universe_; }
    bool socket_ready() const override { return false; }
    void start() override {}
    void request_terminate() override {}

private:
    std::function<void(DmxFrame&)> hook_;
    int universe_ = 0;
};

}  // namespace

std::unique_ptr<OutputLink> make_artnet_output() { return std::make_unique<NoOutput>(); }

}  // namespace prismel
