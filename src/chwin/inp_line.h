#pragma once
// The one-line input: a prompt and an edit field laid over cells of the
// screen, closed by Enter (OK) or Esc (cancel), validating what was typed.
// When the caller offers a reference list, F3 leaves the line and asks the
// caller to open that list instead. Screens call execute_line_input(); the
// installed seam does the modal part (inp_line_qt.h in the console,
// inp_line_scripted.h in tests).
#include <cstdint>
#include <string>

#include "chwin/inp_validate.h"

namespace prismel {

class ChwScreen;

struct LineInputRequest {
    std::string prompt;  // CP932; empty: no prompt
    int column = 0;      // cell of the prompt's first byte
    int row = 0;
    int max_length = 0;  // bytes the edit field may hold
    std::string text;    // initial text
    uint32_t mode = 0;   // inp_mode bits: reference offer | input type
    InputRanges ranges;
};

struct LineInputResult {
    int code = kResultCancel;     // 1 OK or reference request, 2 cancelled or refused
    std::string text;             // the accepted text; empty after cancel or F3
    int int_value = -1;
    double real_value = 0.0;
    int reference_requested = 0;  // kRefRequestKey when F3 asked for the list
};

class LineInputSeam {
public:
    virtual ~LineInputSeam() = default;
    // The modal part: show the line, let the operator edit, close it, and
    // finish with one of the line_input_* helpers below.
    virtual LineInputResult run(ChwScreen& screen, const LineInputRequest& request) = 0;
};

// While none is installed every input is cancelled.
LineInputSeam& line_input();
void set_line_input(LineInputSeam* seam);  // nullptr uninstalls

// Puts up the reference caption on F3 (or an empty bar), runs the installed
// line, then leaves the bar empty for the reference list after F3 or puts
// back the labels that were up before.
LineInputResult execute_line_input(ChwScreen& screen, const LineInputRequest& request);
// True while a line is open (the chase list leaves the bar alone meanwhile).
bool line_input_open();

// Labels for the reference offer: F3 shows the list caption, all else empty.
const char* reference_labels(uint32_t mode);

// How a line ends. Enter validates (a refusal goes to the message line with
// the error beep); Esc cancels; F3 requests the reference list. F3 is only a
// way out when a list is offered: line_input_f3_closes() tells.
LineInputResult line_input_enter(ChwScreen& screen, const LineInputRequest& request,
                                 const std::string& typed);
LineInputResult line_input_escape();
LineInputResult line_input_reference();
inline bool line_input_f3_closes(const LineInputRequest& r) { return reference_offer_of(r.mode) != 0; }

}  // namespace prismel
