#include "shell/output_link.h"

#include <cstring>

#include "output/artnet_thread.h"
#include "output/system_network.h"
#include "settings/env_settings.h"
#include "web/web_listen.h"

namespace prismel {
namespace {

class ArtnetOutput : public OutputLink {
public:
    explicit ArtnetOutput(const artnet::OutputSettings& settings) : thread_(settings) {}
    void set_step_hook(std::function<void(DmxFrame&)> hook) override {
        // The thread hands over its own 512 slots; the engine fills a frame.
        thread_.set_step_hook([hook = std::move(hook)](uint8_t* slots) {
            DmxFrame frame;
            std::memcpy(frame.data(), slots, frame.size());
            hook(frame);
            std::memcpy(slots, frame.data(), frame.size());
        });
    }
    void set_universe(int universe) override { thread_.tx_universe.store(universe); }
    int universe() const override { return thread_.tx_universe.load(); }
    artnet::NodeList* nodes() override { return &thread_.nodes; }
    std::string own_address_text() const override { return thread_.own_address_text(); }
    void scan() override {
        thread_.nodes.clear();
        thread_.send_poll();
    }
    bool socket_ready() const override { return thread_.socket_ready(); }
    artnet::OutputStatus status() const override { return thread_.status(); }
    artnet::OutputSettings output_settings() const override { return thread_.output_settings(); }
    // The operator's choice is kept in the settings, written at shutdown.
    void set_output_settings(const artnet::OutputSettings& s) override {
        thread_.set_output_settings(s);
        if (g_env) g_env->take_output_choice(s);
    }
    std::vector<artnet::InterfaceOption> interfaces() const override {
        return artnet::interface_options(artnet::read_local_addresses());
    }
    std::vector<artnet::OutputReport> output_reports() const override { return thread_.output_reports(); }
    bool alias_refused() const override { return thread_.alias_refused(); }
    std::string remote_notice() const override { return web::remote_notice(); }
    void step_before_first_frame() override { thread_.step_before_first_send(); }
    void start() override { thread_.start(true); }
    void request_terminate() override { thread_.terminate(); }
    void set_outputs_held(artnet::Protocol held) override { thread_.set_outputs_held(held); }
    void watch_artdmx_from(uint32_t address) override {
        thread_.watch_artdmx_from(artnet::Ipv4::from_value(address));
    }
    uint64_t watched_artdmx() const override { return thread_.watched_artdmx(); }

private:
    artnet::TArtnetThread thread_;  // its destructor ends the loop and removes the added address
};

}  // namespace

std::unique_ptr<OutputLink> make_artnet_output(const artnet::OutputSettings& settings) {
    return std::make_unique<ArtnetOutput>(settings);
}

}  // namespace prismel
