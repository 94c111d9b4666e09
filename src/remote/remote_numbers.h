#pragma once
// Numbers as show-control systems write them: in OSC addresses and strings
// ("12.5", "3") and in MIDI Show Control's ASCII cue fields. A text that is
// not a number is refused; a number that is simply too big reads as one no
// cue, scene or chase carries, so the console says it has none.
#include <optional>
#include <string_view>

namespace prismel::remote {

// "12", "12.", "12.5" or ".5" in tenths (125); further decimals are rounded
// down, as the run screen takes a typed number. -1 past the highest cue
// number. nullopt for anything else: signs, blanks, exponents, a second point.
std::optional<int> cue_tenths_of_text(std::string_view text);

// Decimal digits only ("7", "012"). Past kWholeNumberCap reads as the cap.
std::optional<int> whole_number_of_text(std::string_view text);
constexpr int kWholeNumberCap = 1000000;

}  // namespace prismel::remote
