#pragma once
// The environment settings: the paths and options that shape the console
// around the show, and the settings file as a whole (its name beside the
// executable and its version). The screens and the command-line tool reach
// the settings they keep here without depending on the main window.
#include <string>

#include "backup/backup_config.h"
#include "output/output_config.h"
#include "platform/profile.h"
#include "remote/remote_config.h"

namespace prismel {

// The settings file's version: 1.21. Older files are marked with it at start.
constexpr int kSettingsVersion = 121;
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 21;

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
    // The browser remote (section "Option"): WebPort 0 = off; WebPin empty
    // = a PIN made at each start.
    int web_port = 0;
    std::string web_pin;
    // A start after an unexpected end plays on from the playback journal.
    bool resume_after_crash = true;
    // How the output reaches the network (section "Option": OutputInterface,
    // ArtNetDelivery, OutputProtocol), the device outputs (UsbProDevice,
    // OlaUniverse) and the sACN source identity (SacnCid).
    // Unknown words read as the defaults, which keep the first behaviour:
    // the automatic address, broadcast, Art-Net only.
    artnet::OutputSettings output;
    bool cid_created = false;  // no valid SacnCid was stored: load made one
    // The show-control remotes (OscPort, OscAllow, MscDeviceId, MscUdpPort).
    RemoteSettings remote;
    // Beside another console (BackupOf, BackupHot).
    BackupSettings backup;

    // Fills the folder and the notice, then reads every stored field (the
    // preset file excepted) with its default.
    void load(const Profile& ini, const std::string& folder);
    // Writes the output keys only (a new CID is kept at once, before any
    // shutdown, so that the source identity stays the same from the first run).
    void save_output(Profile& ini) const;
    // Takes the operator's output choices (interface, delivery, outputs,
    // widget device, OLA universe); the source identity stays.
    void take_output_choice(const artnet::OutputSettings& s);
    // Writes every stored field, then saves the file: 1, or 0 when the file
    // could not be written.
    int save(Profile& ini) const;
    // The folder's default for a file name ("PRSMDATA.DEF", "PRSMTITL.BMP"...).
    std::string in_folder(const char* name) const { return program_folder + name; }

private:
    void load_output(const Profile& ini);
};

// The one instance, from start-up to shutdown (nullptr outside).
extern EnvSettings* g_env;

// Folder of an executable path, with a trailing '/'; "./" for a bare name.
std::string folder_of(const std::string& exe_path);
// The settings file of an executable: its extension (if any) replaced by
// ".INI" ("/opt/Prismel" and "/opt/Prismel.exe" both give "/opt/Prismel.INI").
std::string settings_path_for(const std::string& exe_path);
// The settings file of an executable kept in another folder: the same name
// in that folder ("/home/u/p/" and "/usr/bin/prismel" give "/home/u/p/prismel.INI").
std::string settings_path_in(const std::string& folder, const std::string& exe_path);
// Marks a settings file older than this version with kSettingsVersion and
// saves it. Newer versions are kept.
void check_settings_version(Profile& ini);

}  // namespace prismel
