#pragma once
// A host that records what the character screen asks of the window.
#include <string>
#include <vector>

#include "chwin/chw_host.h"

namespace prismel::test {

class FakeHost : public ChwHost {
public:
    void invalidate(const ChwRect& r, bool) override { invalidated.push_back(r); }
    void repaint_now(const ChwRect& r) override { repainted.push_back(r); }
    void set_message_line(const char* cp932) override { message = cp932; }
    void beep() override { ++beeps; }

    void reset() {
        invalidated.clear();
        repainted.clear();
    }

    std::vector<ChwRect> invalidated;
    std::vector<ChwRect> repainted;
    std::string message;
    int beeps = 0;
};

}  // namespace prismel::test
