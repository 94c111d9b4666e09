#include "settings/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "settings/env_settings.h"

namespace prismel {

namespace {

namespace fs = std::filesystem;

constexpr const char kInstalledShare[] = "../share/prismel/";

bool is_file(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool holds_shipped_files(const std::string& folder) { return is_file(folder + kShippedFiles[0]); }

bool writable(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

// Makes the folder with its parents; true when it is there afterwards.
bool make_folders(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

// A per-user folder as the first start leaves it: DATA/ and a copy of each
// shipped file that is not there yet (the user's own copies are kept).
void furnish(const std::string& folder, const std::string& shipped) {
    make_folders(folder + "DATA/");
    for (const char* name : kShippedFiles) {
        const std::string target = folder + name;
        if (file_system().exists(target) || !is_file(shipped + name)) continue;
        // A half-written copy would hide the shipped one at the next start.
        if (!file_system().copy_file(shipped + name, target)) file_system().remove_file(target);
    }
}

}  // namespace

FolderChoice choose_folder(const FolderFacts& facts) {
    return facts.exe_folder_writable && !facts.installed ? FolderChoice::beside_executable : FolderChoice::per_user;
}

std::string per_user_folder(const char* xdg_data_home, const char* home) {
    const auto without_slashes = [](std::string s) {
        while (!s.empty() && s.back() == '/') s.pop_back();
        return s;
    };
    // A relative XDG_DATA_HOME is invalid and ignored.
    if (xdg_data_home && xdg_data_home[0] == '/') return without_slashes(xdg_data_home) + "/prismel/";
    if (home && home[0] == '/') return without_slashes(home) + "/.local/share/prismel/";
    return "";
}

std::string shipped_folder(const std::string& exe_folder) {
    if (holds_shipped_files(exe_folder)) return exe_folder;
    std::string share = fs::path(exe_folder + kInstalledShare).lexically_normal().string();
    if (share.empty() || share.back() != '/') share += '/';
    if (holds_shipped_files(share)) return share;
    return exe_folder;
}

ProgramPlace find_program_place(const std::string& exe_path, const char* xdg_data_home, const char* home) {
    const std::string exe_folder = folder_of(exe_path);
    const std::string shipped = shipped_folder(exe_folder);
    ProgramPlace place;
    place.folder = exe_folder;
    FolderFacts facts;
    facts.exe_folder_writable = writable(exe_folder);
    facts.installed = shipped != exe_folder;
    if (choose_folder(facts) == FolderChoice::per_user) {
        const std::string own = per_user_folder(xdg_data_home, home);
        if (!own.empty() && make_folders(own)) {
            furnish(own, shipped);
            place.folder = own;
            place.per_user = true;
        }
    }
    place.settings_file = settings_path_in(place.folder, exe_path);
    return place;
}

ProgramPlace find_program_place(const std::string& exe_path) {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = ::getpwuid(::getuid());
        if (pw) home = pw->pw_dir;
    }
    return find_program_place(exe_path, std::getenv("XDG_DATA_HOME"), home);
}

}  // namespace prismel
