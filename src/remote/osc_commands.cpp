#include "remote/osc_commands.h"

#include <cmath>
#include <string_view>

#include "engine/duration.h"
#include "remote/remote_config.h"
#include "remote/remote_numbers.h"

namespace prismel::remote {

namespace {

using Kind = PlaybackAction::Kind;
constexpr std::string_view kRoot = "/prismel/";

bool released(const std::vector<OscArg>& args) {
    if (args.empty()) return false;
    const OscArg& a = args[0];
    if (a.kind != OscArg::Kind::number && a.kind != OscArg::Kind::truth) return false;
    return !(a.number != 0);  // 0, and NaN, are no press
}

OscRequest on_press(const OscMessage& m, PlaybackAction a) {
    return released(m.args) ? OscRequest{} : OscRequest::play(a);
}

OscRequest cue(const OscMessage& m, std::string_view number) {
    const std::optional<int> tenths = cue_tenths_of_text(number);
    if (!tenths) return {};
    return on_press(m, PlaybackAction::of(Kind::cue, *tenths));
}

OscRequest go(const OscMessage& m) {
    if (!m.args.empty() && m.args[0].kind == OscArg::Kind::text) return cue(m, m.args[0].text);
    return on_press(m, PlaybackAction::of(Kind::go));
}

// The seconds argument as a stored cross time; kRunScreenTime without one,
// nullopt for a time outside what the run screen takes.
std::optional<int> scene_time(const std::vector<OscArg>& args) {
    if (args.empty() || args[0].kind != OscArg::Kind::number) return PlaybackAction::kRunScreenTime;
    const double s = args[0].number;
    // A float carries 99.9 as a hair above it.
    if (!std::isfinite(s) || s < 0 || s > kMaxTypedSeconds + 1e-4) return std::nullopt;
    return stored_of_seconds(s).value();
}

// "/prismel/scene/7": scene index 6 (numbers as the operator sees them).
OscRequest numbered(const OscMessage& m, Kind kind, std::string_view n) {
    const std::optional<int> number = whole_number_of_text(n);
    if (!number) return {};
    PlaybackAction a = PlaybackAction::of(kind, *number - 1);
    if (kind != Kind::scene) return on_press(m, a);
    const std::optional<int> time = scene_time(m.args);
    if (!time) return {};
    a.time = *time;
    return OscRequest::play(a);
}

OscRequest subscribe(const OscMessage& m) {
    if (m.args.empty()) return OscRequest::subscribe(0);
    const OscArg& a = m.args[0];
    if (a.kind != OscArg::Kind::number || !(a.number >= 1 && a.number <= kMaxUdpPort) ||
        a.number != std::floor(a.number))
        return {};
    return OscRequest::subscribe(int(a.number));
}

// "scene/7" -> {"scene", "7"}; the rest after the first '/' may hold more.
std::pair<std::string_view, std::string_view> split_first(std::string_view path) {
    const size_t slash = path.find('/');
    if (slash == std::string_view::npos) return {path, {}};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

OscRequest osc_request(const OscMessage& m) {
    std::string_view path = m.address;
    if (!path.starts_with(kRoot)) return {};
    path.remove_prefix(kRoot.size());
    if (path == "go") return go(m);
    if (path == "back") return on_press(m, PlaybackAction::of(Kind::back));
    if (path == "standby") return on_press(m, PlaybackAction::of(Kind::standby));
    if (path == "subscribe") return subscribe(m);
    const auto [head, rest] = split_first(path);
    if (head == "cue") {
        const auto [number, tail] = split_first(rest);
        return tail == "go" ? cue(m, number) : OscRequest{};
    }
    if (rest.find('/') != std::string_view::npos) return {};
    if (head == "scene") return numbered(m, Kind::scene, rest);
    if (head == "chase") return numbered(m, Kind::chase, rest);
    if (head == "fkey") return numbered(m, Kind::fkey, rest);
    return {};
}

}  // namespace prismel::remote
