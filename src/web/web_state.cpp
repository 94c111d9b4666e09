#include "web/web_state.h"

#include <cstring>

#include "platform/text_codec.h"
#include "screens/runscr_text.h"

namespace prismel::web {

namespace {

// FNV-1a over the bytes that make a part of the state.
struct Hash {
    uint64_t h = 1469598103934665603ull;
    void add(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    }
    void add_int(int v) { add(&v, sizeof v); }
};

void add_name_bytes(Hash& h, const char* field, size_t size) { h.add(field, strnlen(field, size)); }

uint64_t cue_list_key(const ShowData& show) {
    Hash h;
    for (int i = show.cues.next_used(kNone); i != kNone; i = show.cues.next_used(i)) {
        const CueRecord& q = show.cues[i];
        h.add_int(q.number);
        h.add_int(q.scene);
        h.add_int(q.chase);
        if (valid_scene(q.scene)) add_name_bytes(h, show.scenes[q.scene].name, sizeof show.scenes[q.scene].name);
        else if (valid_chase(q.chase)) add_name_bytes(h, show.chases[q.chase].name, sizeof show.chases[q.chase].name);
        h.add_int(-2);  // ends the cue's bytes
    }
    return h.h;
}

std::string cue_list_json(const ShowData& show) {
    std::string out = "[";
    for (int i = show.cues.next_used(kNone); i != kNone; i = show.cues.next_used(i)) {
        if (out.size() > 1) out += ',';
        out += '[' + std::to_string(show.cues[i].number) + ',' + json_string(cue_name_utf8(show, i)) + ']';
    }
    return out + "]";
}

// The ten presets as the run screen's bar labels them.
std::string fkeys_json(const ShowData& show) {
    char bar[kRunscrTextBytes];
    runscr_preset_bar(show.fkeys, bar, sizeof bar);
    std::string out = "[";
    const char* p = bar;
    for (int k = 0; k < kFkeys; ++k) {
        const char* end = std::strchr(p, '|');
        if (!end) end = p + std::strlen(p);
        if (k > 0) out += ',';
        out += "{\"l\":" + json_string(to_utf8(std::string_view(p, size_t(end - p)))) +
               ",\"on\":" + (show.fkeys[k].type == kFkeyNone ? "false" : "true") + '}';
        p = *end ? end + 1 : end;
    }
    return out + "]";
}

std::string cue_json(const ShowData& show, int cue) {
    if (!valid_cue(cue)) return "null";
    return "{\"n\":" + std::to_string(show.cues[cue].number) + ",\"name\":" + json_string(cue_name_utf8(show, cue)) +
           '}';
}

// Per fixture "rrggbbss": the display colour of its C, M, Y levels (red =
// 255 - C ...) and its size, as the output has them.
std::string fixtures_hex(const LevelBuffer& monitor) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(kFixtures * 8);
    for (int f = 0; f < kFixtures; ++f) {
        const uint8_t* g = group_of(monitor, f);
        const uint8_t bytes[4] = {uint8_t(255 - g[kLevelC]), uint8_t(255 - g[kLevelM]), uint8_t(255 - g[kLevelY]),
                                  g[kLevelSize]};
        for (uint8_t b : bytes) {
            out += digits[b >> 4];
            out += digits[b & 15];
        }
    }
    return out;
}

}  // namespace

std::string json_string(std::string_view utf8) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            out += "\\u00";
            out += digits[b >> 4];
            out += digits[b & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string name_utf8(const char* field, size_t field_size) {
    return to_utf8(std::string_view(field, strnlen(field, field_size)));
}

std::string cue_name_utf8(const ShowData& show, int cue) {
    if (!valid_cue(cue)) return {};
    const CueRecord& q = show.cues[cue];
    if (valid_scene(q.scene)) return name_utf8(show.scenes[q.scene].name, sizeof show.scenes[q.scene].name);
    if (valid_chase(q.chase)) return name_utf8(show.chases[q.chase].name, sizeof show.chases[q.chase].name);
    return {};
}

const WebState& WebStateBuilder::build(const ShowData& show, const EngineFields& engine, const LevelBuffer& monitor) {
    const uint64_t cues_key = cue_list_key(show);
    if (!have_cues_ || cues_key != state_.cues_key) {
        state_.cues = cue_list_json(show);
        state_.cues_key = cues_key;
        have_cues_ = true;
    }
    Hash fk;
    fk.add(show.fkeys, sizeof show.fkeys);
    if (!have_fkeys_ || fk.h != fkeys_key_) {
        fkeys_ = fkeys_json(show);
        fkeys_key_ = fk.h;
        have_fkeys_ = true;
    }
    const int current = valid_cue(engine.current_cue) ? engine.current_cue : kNone;
    state_.main = "\"cue\":" + cue_json(show, current) + ",\"next\":" + cue_json(show, show.cues.next_used(current)) +
                  ",\"fk\":" + fkeys_ + ",\"fx\":\"" + fixtures_hex(monitor) + '"';
    return state_;
}

std::string state_message(const WebState& state, bool with_cues) {
    std::string out = "{" + state.main;
    if (with_cues) out += ",\"cues\":" + state.cues;
    return out + "}";
}

}  // namespace prismel::web
