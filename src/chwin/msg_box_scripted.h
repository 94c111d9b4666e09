#pragma once
// A message box for tests: answers from a script, through the same key
// handling as the console's box, and keeps every question it was asked.
#include <deque>
#include <string>
#include <vector>

#include "chwin/msg_box.h"

namespace prismel {

class ScriptedMessageBox : public MessageBoxSeam {
public:
    struct Question {
        int kind;
        std::string line1, line2;  // CP932
    };

    // The next question is answered by pressing these keys in turn until one
    // closes the box (keys after that are dropped; 2 if none closes it).
    void press(std::vector<int> keys);
    // The next question is answered with this result directly.
    void answer(int result) { press_result(result); }
    // Questions beyond the script are answered 2 (cancelled).
    int ask(int kind, const char* line1, const char* line2) override;

    std::vector<Question> asked;
    int pending() const { return static_cast<int>(script_.size()); }

private:
    void press_result(int result);
    struct Step {
        std::vector<int> keys;
        int result = 0;  // used when keys is empty
    };
    std::deque<Step> script_;
};

// Installs a box for the life of a scope and uninstalls it afterwards.
class ScopedMessageBox {
public:
    explicit ScopedMessageBox(MessageBoxSeam& box) { set_message_box(&box); }
    ~ScopedMessageBox() { set_message_box(nullptr); }
    ScopedMessageBox(const ScopedMessageBox&) = delete;
    ScopedMessageBox& operator=(const ScopedMessageBox&) = delete;
};

}  // namespace prismel
