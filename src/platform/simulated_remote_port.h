#pragma once
// A remote port without hardware: its lines are set by the program (the
// offline simulation, tests). It counts every call so that a caller's use of
// the port can be checked.
#include <atomic>
#include <cstdint>

#include "platform/remote_port.h"

namespace prismel {

class SimulatedRemotePort : public RemotePort {
public:
    explicit SimulatedRemotePort(bool opens = true) : opens_(opens) {}

    // Line states from the next read on.
    void set_lines(bool go, bool back) {
        status_.store((go ? kModemCarrierDetect : 0) | (back ? kModemRing : 0), std::memory_order_relaxed);
    }
    // Makes reads fail (a port that went away) or work again.
    void set_read_fails(bool fails) { read_fails_.store(fails, std::memory_order_relaxed); }

    bool open() override;
    void raise_rts() override;
    bool read_status(uint32_t& status) override;
    void close() override;

    bool is_open() const { return open_; }
    bool rts() const { return rts_; }
    int opens() const { return opens_count_; }
    int rts_calls() const { return rts_calls_; }
    int reads() const { return reads_.load(std::memory_order_relaxed); }
    int closes() const { return closes_; }

private:
    bool opens_;
    bool open_ = false;
    bool rts_ = false;
    int opens_count_ = 0;
    int rts_calls_ = 0;
    int closes_ = 0;
    std::atomic<int> reads_{0};
    std::atomic<uint32_t> status_{0};
    std::atomic<bool> read_fails_{false};
};

}  // namespace prismel
