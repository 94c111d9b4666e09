#include "chwin/inp_line_scripted.h"

#include "chwin/chw_screen.h"

namespace prismel {

void ScriptedLineInput::type(std::string cp932) { script_.push_back({Kind::Type, std::move(cp932)}); }
void ScriptedLineInput::enter() { script_.push_back({Kind::Enter, {}}); }
void ScriptedLineInput::escape() { script_.push_back({Kind::Escape, {}}); }
void ScriptedLineInput::f3() { script_.push_back({Kind::F3, {}}); }

LineInputResult ScriptedLineInput::run(ChwScreen& s, const LineInputRequest& request) {
    requests.push_back(request);
    fkey_labels_seen.push_back(s.fkey_labels());
    // The field holds at most max_length bytes from the start.
    std::string field = clip_cp932(request.text, request.max_length);
    while (!script_.empty()) {
        Step step = std::move(script_.front());
        script_.pop_front();
        switch (step.kind) {
        case Kind::Type: return line_input_enter(s, request, step.text);
        case Kind::Enter: return line_input_enter(s, request, field);
        case Kind::Escape: return line_input_escape();
        case Kind::F3:
            if (line_input_f3_closes(request)) return line_input_reference();
            break;  // an ordinary key for the edit field: the line stays open
        }
    }
    return line_input_escape();
}

}  // namespace prismel
