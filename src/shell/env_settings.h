#pragma once
// The environment settings: the paths and options that shape the console
// around the show, and the settings file as a whole (its name beside the
// executable, its version, and the remembered places of secondary windows).
#include <string>

#include "platform/profile.h"

namespace prismel {

// The settings file's version: 1.21. Older files are marked with it at start.
constexpr int kSettingsVersion = 121;
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 21;

// Section names, exactly as they appear in the file.
extern const char* const kSectionGeneral;  // "General"
extern const char* const kSectionOption;   // "Option"
extern const char* const kSectionColor;    // "Color"

struct EnvSettings {
    std::string program_folder;  // the executable's folder, ending in '/'
    std::string preset_file;     // set by the start-up after load()
    std::string wall_image;
    std::string title_image;
    std::string notice;  // one line under the title image; not stored
    std::string editor;
    bool beep = true;
    bool hide_title = false;
    bool run_mouse = false;
    bool restart_chase = true;  // loaded and saved, nothing depends on it
    int fkey_time = 0;

    // Fills the folder and the notice, then reads every stored field (the
    // preset file excepted) with its default.
    void load(const Profile& ini, const std::string& folder);
    // Writes every stored field, then saves the file: 1, or 0 when the file
    // could not be written.
    int save(Profile& ini) const;
    // The folder's default for a file name ("PRSMDATA.DEF", "PRSMTITL.BMP"...).
    std::string in_folder(const char* name) const { return program_folder + name; }
};

// The one instance, from start-up to shutdown (nullptr outside).
extern EnvSettings* g_env;

// Folder of an executable path, with a trailing '/'; "./" for a bare name.
std::string folder_of(const std::string& exe_path);
// The settings file of an executable: its extension (if any) replaced by
// ".INI" ("/opt/Prismel" and "/opt/Prismel.exe" both give "/opt/Prismel.INI").
std::string settings_path_for(const std::string& exe_path);
// Marks a settings file older than this version with kSettingsVersion and
// saves it. Newer versions are kept.
void check_settings_version(Profile& ini);

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
