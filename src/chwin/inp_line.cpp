#include "chwin/inp_line.h"

#include "chwin/chw_screen.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

class UnseenLineInput : public LineInputSeam {
public:
    LineInputResult run(ChwScreen&, const LineInputRequest&) override { return line_input_escape(); }
};

LineInputSeam* g_installed_line = nullptr;
bool g_line_open = false;

}  // namespace

LineInputSeam& line_input() {
    static UnseenLineInput unseen;
    return g_installed_line ? *g_installed_line : unseen;
}

void set_line_input(LineInputSeam* seam) { g_installed_line = seam; }

bool line_input_open() { return g_line_open; }

const char* reference_labels(uint32_t mode) {
    static const char* scene = sj("$$ｼｰﾝ参");
    static const char* chase = sj("$$ﾁｪｲｽ参");
    static const char* colour = sj("$$色参照");
    int offer = reference_offer_of(mode);
    if (offer & inp_mode::kSceneRef) return scene;
    if (offer & inp_mode::kChaseRef) return chase;
    if (offer & inp_mode::kColourRef) return colour;
    return "";
}

LineInputResult execute_line_input(ChwScreen& s, const LineInputRequest& request) {
    std::string before = s.fkey_labels();
    s.draw_fkey_bar(reference_labels(request.mode));
    g_line_open = true;
    LineInputResult r = line_input().run(s, request);
    g_line_open = false;
    s.draw_fkey_bar(r.reference_requested == kRefRequestKey ? "" : before.c_str());
    return r;
}

LineInputResult line_input_enter(ChwScreen& s, const LineInputRequest& request, const std::string& typed) {
    InputOutcome o = validate_input(clip_cp932(typed, request.max_length), request.mode, request.ranges);
    if (o.message) s.show_message(o.message);
    LineInputResult r;
    r.code = o.code;
    r.text = std::move(o.text);
    r.int_value = o.int_value;
    r.real_value = o.real_value;
    return r;
}

LineInputResult line_input_escape() { return LineInputResult{}; }

LineInputResult line_input_reference() {
    LineInputResult r;
    r.code = kResultOk;
    r.reference_requested = kRefRequestKey;
    return r;
}

}  // namespace prismel
