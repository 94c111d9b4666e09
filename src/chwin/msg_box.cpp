#include "chwin/msg_box.h"

#include "chwin/inp_validate.h"

namespace prismel {

namespace {

class UnseenMessageBox : public MessageBoxSeam {
public:
    int ask(int, const char*, const char*) override { return kResultCancel; }
};

MessageBoxSeam* g_installed_box = nullptr;

}  // namespace

MessageBoxSeam& message_box() {
    static UnseenMessageBox unseen;
    return g_installed_box ? *g_installed_box : unseen;
}

void set_message_box(MessageBoxSeam* box) { g_installed_box = box; }

}  // namespace prismel
