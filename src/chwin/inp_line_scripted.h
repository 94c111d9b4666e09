#pragma once
// A one-line input for tests: each line opened takes the next step of the
// script, ends exactly as the console's line would (validation, messages,
// the field's byte limit) and is recorded.
#include <deque>
#include <string>
#include <vector>

#include "chwin/inp_line.h"

namespace prismel {

class ScriptedLineInput : public LineInputSeam {
public:
    // Replace the field's text with this (CP932) and press Enter.
    void type(std::string cp932);
    // Press Enter on the initial text.
    void enter();
    // Press Esc.
    void escape();
    // Press F3. When no list is offered the line stays open and takes the
    // next step of the script for the same line.
    void f3();

    LineInputResult run(ChwScreen& screen, const LineInputRequest& request) override;

    std::vector<LineInputRequest> requests;  // every line opened, in order
    std::vector<std::string> fkey_labels_seen;  // the bar's labels while each line was open
    int pending() const { return static_cast<int>(script_.size()); }

private:
    enum class Kind { Type, Enter, Escape, F3 };
    struct Step {
        Kind kind;
        std::string text;
    };
    std::deque<Step> script_;
};

class ScopedLineInput {
public:
    explicit ScopedLineInput(LineInputSeam& seam) { set_line_input(&seam); }
    ~ScopedLineInput() { set_line_input(nullptr); }
    ScopedLineInput(const ScopedLineInput&) = delete;
    ScopedLineInput& operator=(const ScopedLineInput&) = delete;
};

}  // namespace prismel
