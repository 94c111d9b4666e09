#pragma once
// The platform's standard message boxes for the questions and warnings of
// start-up, before the character screen exists.
#include "data/startup_dialogs.h"

namespace prismel {

class QtStartupDialogs : public StartupDialogs {
public:
    bool ask_ok_cancel(const char* cp932_text, const char* cp932_caption) override;
    void tell(const char* cp932_text, const char* cp932_caption, bool exclamation) override;
};

}  // namespace prismel
