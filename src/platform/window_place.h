#pragma once
// The remembered place of a secondary window (the output monitor, dialogs)
// in the settings file's "General" section, under a key prefix.
#include "platform/profile.h"

namespace prismel {

// A window's normal (restored) frame position and size.
struct WindowPlace {
    int left = 0, top = 0, width = 0, height = 0;
};

// Reads prefix + "Left"/"Top" into place (defaults dl, dt), and prefix +
// "Width"/"Height" (defaults dw, dh) only when dw and dh are both above 0.
WindowPlace restore_window_place(const Profile& ini, const char* prefix, WindowPlace place,
                                 int dl, int dt, int dw, int dh);
// Writes prefix + "Left"/"Top" and, unless the window has a fixed dialog
// border, prefix + "Width"/"Height".
void save_window_place(Profile& ini, const char* prefix, const WindowPlace& place, bool dialog_border);

}  // namespace prismel
