// Built where OLA's client library is missing: olad is never reached.
#include "output/ola_connection.h"

namespace prismel::artnet {

namespace {

class NoOlaConnection final : public OlaConnection {
public:
    bool connect() override { return false; }
    bool send(unsigned, const uint8_t*, size_t) override { return false; }
    void close() override {}
};

}  // namespace

std::unique_ptr<OlaConnection> make_ola_connection() { return std::make_unique<NoOlaConnection>(); }

}  // namespace prismel::artnet
