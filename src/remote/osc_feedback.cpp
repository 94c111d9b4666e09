#include "remote/osc_feedback.h"

#include <algorithm>
#include <cstring>

#include "engine/show_edit.h"
#include "platform/text_codec.h"

namespace prismel::remote {

namespace {

// What one cue gives, still in CP932.
struct CueRaw {
    bool present = false;
    int number = 0;
    char name[sizeof SceneRecord::name] = {};
};

CueRaw raw_cue(const ShowData& show, int cue) {
    CueRaw raw;
    if (!valid_cue(cue)) return raw;
    const CueRecord& q = show.cues[cue];
    raw.present = true;
    raw.number = q.number;
    if (valid_scene(q.scene)) {
        const SceneRecord& s = show.scenes[q.scene];
        std::memcpy(raw.name, s.name, strnlen(s.name, sizeof raw.name - 1));
    }
    return raw;
}

// "3" for 30, "12.5" for 125 (the tenths digit only where there is one).
std::string number_text(int tenths) {
    const int whole = tenths / 10;
    const int tenth = tenths % 10 < 0 ? -(tenths % 10) : tenths % 10;
    std::string s = (tenths < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
    if (tenth != 0) s += "." + std::to_string(tenth);
    return s;
}

CueFeedback feedback_of(const CueRaw& raw) {
    if (!raw.present) return {};
    return CueFeedback{number_text(raw.number), to_utf8(raw.name)};
}

OscMessage cue_message(const char* address, const CueFeedback& c) {
    return OscMessage{address, {OscArg::of_text(c.number), OscArg::of_text(c.name)}};
}

}  // namespace

FeedbackState read_feedback_state(const PlaybackEngine& engine, const ShowData& show) {
    CueRaw current, next;
    {
        ShowRead read(engine);
        const int cue = engine.fields().current_cue;
        const int from = valid_cue(cue) ? cue : kNone;
        current = raw_cue(show, from);
        next = raw_cue(show, show.cues.next_used(from));
    }
    return FeedbackState{feedback_of(current), feedback_of(next), current.present};
}

std::vector<OscMessage> feedback_messages(const FeedbackState& state) {
    return {cue_message("/prismel/cue/current", state.current), cue_message("/prismel/cue/next", state.next),
            OscMessage{"/prismel/state", {OscArg::of_text(state.running ? "running" : "standby")}}};
}

void Subscribers::subscribe(const UdpPeer& to, Clock::time_point now) {
    for (Entry& e : entries_) {
        if (e.peer == to) {
            e.since = now;
            return;
        }
    }
    if (entries_.size() >= kCapacity) {
        auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                       [](const Entry& a, const Entry& b) { return a.since < b.since; });
        entries_.erase(oldest);
    }
    entries_.push_back(Entry{to, now});
}

void Subscribers::expire(Clock::time_point now) {
    std::erase_if(entries_, [now](const Entry& e) { return now - e.since >= kLifetime; });
}

std::vector<UdpPeer> Subscribers::peers() const {
    std::vector<UdpPeer> out;
    for (const Entry& e : entries_) out.push_back(e.peer);
    return out;
}

}  // namespace prismel::remote
