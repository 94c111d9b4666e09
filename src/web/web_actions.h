#pragma once
// The page's action messages, one per WebSocket text message: "go", "back",
// "standby", "cue N" (N the cue's number in tenths, as the cue list sent it)
// and "fkey K" (K 0-9). Whatever else arrives is no action.
#include <optional>
#include <string_view>

#include "engine/playback_action.h"

namespace prismel::web {

std::optional<PlaybackAction> parse_action(std::string_view message);

}  // namespace prismel::web
