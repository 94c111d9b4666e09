#pragma once
// What the node dialog works on: the output universe of the Art-Net thread,
// the nodes that answered its polls, its own address, a fresh scan, and how
// the output reaches the network. The main window's view of the output
// thread is one of these.
#include <string>
#include <vector>

#include "output/interface_choice.h"
#include "output/output_config.h"
#include "output/output_status.h"

namespace prismel {

namespace artnet {
class NodeList;
}

class NodeLink {
public:
    virtual ~NodeLink() = default;
    // TxUniverse: sub-net × 16 + universe, read once for every ArtDmx sent.
    virtual void set_universe(int universe) = 0;
    virtual int universe() const = 0;
    // The nodes that answered; nullptr where no Art-Net thread runs.
    virtual artnet::NodeList* nodes() { return nullptr; }
    // The dotted address put into this console's ArtPollReply.
    virtual std::string own_address_text() const { return {}; }
    // Forgets the nodes and polls at once; the replies fill the list again.
    virtual void scan() {}
    // Interface, delivery and protocols of the output; a change takes effect
    // without a restart.
    virtual artnet::OutputSettings output_settings() const { return {}; }
    virtual void set_output_settings(const artnet::OutputSettings&) {}
    // The machine's interfaces the output can be sent from.
    virtual std::vector<artnet::InterfaceOption> interfaces() const { return {}; }
    // What the browser remote tells the operator (CP932: its port and PIN),
    // empty while it is off.
    virtual std::string remote_notice() const { return {}; }
    // Each output in use with its state.
    virtual std::vector<artnet::OutputReport> output_reports() const { return {}; }
};

}  // namespace prismel
