#include "screens/screen_ask.h"

#include "chwin/chw_screen.h"
#include "chwin/inp_line.h"
#include "chwin/msg_box.h"

namespace prismel {

namespace {

LineInputResult run(const Ask& at, uint32_t type, const InputRanges& ranges) {
    if (!g_screen) return line_input_escape();
    LineInputRequest request;
    if (at.prompt) request.prompt = at.prompt;
    request.column = at.column;
    request.row = at.row;
    request.max_length = at.width;
    request.text = at.initial;
    request.mode = type | (at.list & 0xFF);
    request.ranges = ranges;
    return execute_line_input(*g_screen, request);
}

Answer how(const LineInputResult& r) {
    if (r.reference_requested == kRefRequestKey) return Answer::kListRequested;
    return r.code == kResultOk ? Answer::kOk : Answer::kCancelled;
}

}  // namespace

IntAnswer ask_integer(const Ask& at, int min, int max) {
    InputRanges ranges;
    ranges.int_min = min;
    ranges.int_max = max;
    const LineInputResult r = run(at, inp_mode::kInteger, ranges);
    return IntAnswer{how(r), r.int_value};
}

RealAnswer ask_real(const Ask& at, double min, double max) {
    InputRanges ranges;
    ranges.real_min = min;
    ranges.real_max = max;
    const LineInputResult r = run(at, inp_mode::kReal, ranges);
    return RealAnswer{how(r), r.real_value, r.text};
}

DurationAnswer ask_seconds(const Ask& at) {
    const RealAnswer r = ask_real(at, 0.0, kMaxTypedSeconds);
    return DurationAnswer{r.answer, r.ok() ? stored_of_seconds(r.value) : StoredDuration(0)};
}

TextAnswer ask_text(const Ask& at) {
    const LineInputResult r = run(at, inp_mode::kText, InputRanges{});
    return TextAnswer{how(r), r.text};
}

void say(const char* text) {
    if (g_screen) g_screen->show_message(text);
}

bool ask_yes_no(const char* question) { return ask_message(kMsgYesNo, question) == kResultOk; }

void tell(const char* notice) { ask_message(kMsgOk, notice); }

}  // namespace prismel
