#pragma once
// Where the show-data operations report progress and errors to the operator:
// the message line of the character screen, which implements this.

namespace prismel {

class MessageLine {
public:
    virtual ~MessageLine() = default;
    // Shows a CP932 text in the message line; beep asks for the error beep
    // (the screen sounds it only when the Beep option is on).
    virtual void set(const char* cp932, bool beep) = 0;
};

}  // namespace prismel
