#include "web/web_actions.h"

#include "web/web_limits.h"

namespace prismel::web {

namespace {

using Kind = PlaybackAction::Kind;

// Decimal digits only, within [0, hi].
bool number_in(std::string_view text, int hi, int& out) {
    if (text.empty() || text.size() > 5) return false;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n > hi) return false;
    out = n;
    return true;
}

}  // namespace

std::optional<PlaybackAction> parse_action(std::string_view m) {
    if (m.size() > kMaxMessageBytes) return std::nullopt;
    if (m == "go") return PlaybackAction::of(Kind::go);
    if (m == "back") return PlaybackAction::of(Kind::back);
    if (m == "standby") return PlaybackAction::of(Kind::standby);
    int n = 0;
    if (m.substr(0, 4) == "cue " && number_in(m.substr(4), 32767, n)) return PlaybackAction::of(Kind::cue, n);
    if (m.substr(0, 5) == "fkey " && number_in(m.substr(5), 9, n)) return PlaybackAction::of(Kind::fkey, n);
    return std::nullopt;
}

}  // namespace prismel::web
