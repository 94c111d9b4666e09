#pragma once
// The console's message box: one or two lines and an OK button or a YES/NO
// pair. Screens ask through the installed box, so that tests can script the
// answers (msg_box_scripted.h) and the console shows its own form
// (msg_box_qt.h).
#include "chwin/msg_box_model.h"

namespace prismel {

class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;
    // kind kMsgOk or kMsgYesNo; lines are CP932, line2 may be null or empty.
    // Returns 1 for OK or YES, 2 for NO or cancelled.
    virtual int ask(int kind, const char* line1, const char* line2) = 0;
};

// The installed box; while none is installed every question is answered 2,
// so nothing is ever confirmed that the operator did not see.
MessageBoxSeam& message_box();
void set_message_box(MessageBoxSeam* box);  // nullptr uninstalls

inline int ask_message(int kind, const char* line1, const char* line2 = nullptr) {
    return message_box().ask(kind, line1, line2);
}

}  // namespace prismel
