#pragma once
// What the link between the consoles needs of this console's outputs: the
// backup's hold on them, whether they send (the primary says so in its
// heartbeat), and the primary's DMX as the lighting network carries it.
#include <cstdint>

namespace prismel::backup {

class LinkOutputs {
public:
    virtual ~LinkOutputs() = default;
    // While held nothing goes out, except what a hot backup sends all the
    // time (its sACN at priority 99). Any thread.
    virtual void hold(bool held) = 0;
    // Not held, switched on and in a good state.
    virtual bool sending() const = 0;
    // ArtDmx from `address` (host order) are counted from now on.
    virtual void watch(uint32_t address) = 0;
    // The count so far: it moves while the primary's output is seen.
    virtual uint64_t watched() const = 0;
};

}  // namespace prismel::backup
