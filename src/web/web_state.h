#pragma once
// The state a browser shows, as one JSON message: the current and the next
// cue with their names, the function-key presets with their labels, every
// fixture's colour and size as the output has them, and (when it changed for
// that browser) the cue list. Names are turned from CP932 into UTF-8 here.
#include <cstdint>
#include <string>
#include <string_view>

#include "data/show_data.h"
#include "engine/engine_state.h"
#include "engine/levels.h"

namespace prismel::web {

// A JSON string literal of UTF-8 text, quotes included.
std::string json_string(std::string_view utf8);

// A record's name field (CP932, NUL-terminated or filling the field) in UTF-8.
std::string name_utf8(const char* field, size_t field_size);

// What a cue is called on the page: its scene's name, or its chase's for a
// cue without a scene.
std::string cue_name_utf8(const ShowData& show, int cue);

struct WebState {
    std::string main;     // the members every message carries
    std::string cues;     // the cue list: [[number, "name"], ...]
    uint64_t cues_key = 0;  // changes whenever the cue list's text may change
};

// Builds the state; the cue list and the presets are converted again only
// when their records changed since the last build.
class WebStateBuilder {
public:
    const WebState& build(const ShowData& show, const EngineFields& engine, const LevelBuffer& monitor);

private:
    WebState state_;
    bool have_cues_ = false;
    uint64_t fkeys_key_ = 0;
    bool have_fkeys_ = false;
    std::string fkeys_;
};

// One message: {"cue":...,"next":...,"fk":[...],"fx":"...","cues":[...]}
// with the cue list only when asked for.
std::string state_message(const WebState& state, bool with_cues);

}  // namespace prismel::web
