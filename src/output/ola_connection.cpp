// The connection to olad through OLA's client library.
#include "output/ola_connection.h"

#include <ola/DmxBuffer.h>
#include <ola/client/StreamingClient.h>

namespace prismel::artnet {

namespace {

class OlaStreamingConnection final : public OlaConnection {
public:
    bool connect() override {
        close();
        ola::client::StreamingClient::Options options;
        options.auto_start = false;  // the operator runs olad; the console never starts one
        client_ = std::make_unique<ola::client::StreamingClient>(options);
        if (client_->Setup()) return true;
        client_.reset();
        return false;
    }
    bool send(unsigned universe, const uint8_t* slots, size_t n) override {
        if (!client_) return false;
        buffer_.Set(slots, unsigned(n));
        return client_->SendDmx(universe, buffer_);
    }
    void close() override {
        if (client_) client_->Stop();
        client_.reset();
    }
    ~OlaStreamingConnection() override { close(); }

private:
    std::unique_ptr<ola::client::StreamingClient> client_;
    ola::DmxBuffer buffer_;
};

}  // namespace

std::unique_ptr<OlaConnection> make_ola_connection() { return std::make_unique<OlaStreamingConnection>(); }

}  // namespace prismel::artnet
