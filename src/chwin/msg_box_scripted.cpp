#include "chwin/msg_box_scripted.h"

#include "chwin/inp_validate.h"

namespace prismel {

void ScriptedMessageBox::press(std::vector<int> keys) { script_.push_back({std::move(keys), 0}); }

void ScriptedMessageBox::press_result(int result) { script_.push_back({{}, result}); }

int ScriptedMessageBox::ask(int kind, const char* line1, const char* line2) {
    asked.push_back({kind, line1 ? line1 : "", line2 ? line2 : ""});
    if (script_.empty()) return kResultCancel;
    Step step = std::move(script_.front());
    script_.pop_front();
    if (step.keys.empty()) return step.result;
    MsgBoxModel box(kind);
    for (int k : step.keys) {
        int r = box.key(k);
        if (r != kMsgStay) return r;
    }
    return kResultCancel;
}

}  // namespace prismel
