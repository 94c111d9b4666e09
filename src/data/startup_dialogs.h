#pragma once
// The platform's standard message boxes, used during start-up only (before
// the character screen exists). The shell implements this with its toolkit.

namespace prismel {

class StartupDialogs {
public:
    virtual ~StartupDialogs() = default;
    // OK and Cancel buttons, exclamation icon; true when OK was chosen.
    virtual bool ask_ok_cancel(const char* cp932_text, const char* cp932_caption) = 0;
    // An OK button only, with or without the exclamation icon.
    virtual void tell(const char* cp932_text, const char* cp932_caption, bool exclamation) = 0;
};

}  // namespace prismel
