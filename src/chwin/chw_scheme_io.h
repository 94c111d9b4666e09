#pragma once
// The colour scheme and the font size in the settings file: "General"
// FontSize and the 19 colours of section "Color", as decimal integers.
#include "chwin/chw_screen.h"
#include "platform/profile.h"

namespace prismel {

// Even, at least 12, at most (desktop width div 106) x 2, so that 106
// half-width columns always fit on the desktop.
int limit_font_size(int size, int desktop_width);
// Missing keys keep the current values; colours are taken as stored.
void load_scheme(ChwScreen& s, const Profile& p, int desktop_width);
void save_scheme(const ChwScreen& s, Profile& p);

}  // namespace prismel
