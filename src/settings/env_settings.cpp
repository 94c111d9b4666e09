#include "settings/env_settings.h"

#include "settings/remote_settings_io.h"

namespace prismel {

EnvSettings* g_env = nullptr;

namespace {

constexpr const char* kNotice = "Prismel Lighting Console";

std::string trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool read_bool(const Profile& ini, const char* key, bool def) {
    return ini.read_int(kSectionOption, key, def ? 1 : 0) != 0;
}

// Where the file name of a path begins: after its last '/', or at 0.
size_t name_start(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

void EnvSettings::load(const Profile& ini, const std::string& folder) {
    program_folder = folder;
    notice = kNotice;
    editor = ini.read_string(kSectionGeneral, "Editor", "notepad.exe");
    wall_image = ini.read_string(kSectionGeneral, "WallImage", in_folder("PRSMWALL.BMP"));
    title_image = ini.read_string(kSectionGeneral, "TitleImage", in_folder("PRSMTITL.BMP"));
    fkey_time = ini.read_int(kSectionOption, "FkeyTime", 0);
    hide_title = read_bool(ini, "HideTitle", false);
    beep = read_bool(ini, "Beep", true);
    run_mouse = read_bool(ini, "RunMouse", false);
    restart_chase = read_bool(ini, "RestartChs", true);
    web_port = ini.read_int(kSectionOption, "WebPort", 0);
    if (web_port < 0 || web_port > 65535) web_port = 0;
    web_pin = trimmed(ini.read_string(kSectionOption, "WebPin", ""));
    resume_after_crash = read_bool(ini, "ResumeAfterCrash", true);
    load_output(ini);
    remote = read_remote_settings(ini);
    backup.backup_of = trimmed(ini.read_string(kSectionOption, "BackupOf", ""));
    backup.hot = read_bool(ini, "BackupHot", false);
}

void EnvSettings::load_output(const Profile& ini) {
    output = artnet::OutputSettings{};
    output.interface = trimmed(ini.read_string(kSectionOption, "OutputInterface", ""));
    (void)artnet::parse_delivery(ini.read_string(kSectionOption, "ArtNetDelivery", ""), output.delivery);
    (void)artnet::parse_protocol(ini.read_string(kSectionOption, "OutputProtocol", ""), output.protocol);
    output.usbpro_device = trimmed(ini.read_string(kSectionOption, "UsbProDevice", ""));
    const int ola = ini.read_int(kSectionOption, "OlaUniverse", output.ola_universe);
    if (ola >= artnet::kOlaUniverseMin && ola <= artnet::kOlaUniverseMax) output.ola_universe = ola;
    cid_created = !artnet::parse_cid(ini.read_string(kSectionOption, "SacnCid", ""), output.cid);
    if (cid_created) output.cid = artnet::random_cid();
}

void EnvSettings::save_output(Profile& ini) const {
    ini.write_string(kSectionOption, "OutputInterface", output.interface);
    ini.write_string(kSectionOption, "ArtNetDelivery", artnet::delivery_text(output.delivery));
    ini.write_string(kSectionOption, "OutputProtocol", artnet::protocol_text(output.protocol));
    ini.write_string(kSectionOption, "UsbProDevice", output.usbpro_device);
    ini.write_int(kSectionOption, "OlaUniverse", output.ola_universe);
    ini.write_string(kSectionOption, "SacnCid", artnet::cid_text(output.cid));
}

void EnvSettings::take_output_choice(const artnet::OutputSettings& s) {
    output.interface = s.interface;
    output.delivery = s.delivery;
    output.protocol = s.protocol;
    output.usbpro_device = s.usbpro_device;
    output.ola_universe = s.ola_universe;
}

int EnvSettings::save(Profile& ini) const {
    ini.write_string(kSectionGeneral, "Editor", editor);
    ini.write_string(kSectionGeneral, "WallImage", wall_image);
    ini.write_string(kSectionGeneral, "TitleImage", title_image);
    ini.write_int(kSectionOption, "FkeyTime", fkey_time);
    ini.write_int(kSectionOption, "HideTitle", hide_title ? 1 : 0);
    ini.write_int(kSectionOption, "Beep", beep ? 1 : 0);
    ini.write_int(kSectionOption, "RunMouse", run_mouse ? 1 : 0);
    ini.write_int(kSectionOption, "RestartChs", restart_chase ? 1 : 0);
    ini.write_int(kSectionOption, "WebPort", web_port);
    ini.write_string(kSectionOption, "WebPin", web_pin);
    ini.write_int(kSectionOption, "ResumeAfterCrash", resume_after_crash ? 1 : 0);
    save_output(ini);
    write_remote_settings(ini, remote);
    ini.write_string(kSectionOption, "BackupOf", backup.backup_of);
    ini.write_int(kSectionOption, "BackupHot", backup.hot ? 1 : 0);
    return ini.save();
}

std::string folder_of(const std::string& exe_path) {
    size_t slash = exe_path.rfind('/');
    if (slash == std::string::npos) return "./";
    return exe_path.substr(0, slash + 1);
}

std::string settings_path_for(const std::string& exe_path) {
    const size_t name = name_start(exe_path);
    size_t dot = exe_path.rfind('.');
    // A leading dot is part of the name, not an extension.
    if (dot == std::string::npos || dot <= name) return exe_path + ".INI";
    return exe_path.substr(0, dot) + ".INI";
}

std::string settings_path_in(const std::string& folder, const std::string& exe_path) {
    return settings_path_for(folder + exe_path.substr(name_start(exe_path)));
}

void check_settings_version(Profile& ini) {
    if (ini.read_int(kSectionGeneral, "version", 0) < kSettingsVersion)
        ini.write_int(kSectionGeneral, "version", kSettingsVersion);
    ini.save();
}

}  // namespace prismel
