#pragma once
// Where the console keeps its show, its settings and its data folders.
// A build tree or a portable copy keeps them beside the executable, as it
// always has. An installed console (its shipped files under ../share/prismel,
// or an executable folder the user cannot write) keeps them in a folder of
// the user's own, to which the shipped files are copied at the first start.
#include <string>

namespace prismel {

// What the start needs to know of the system.
struct FolderFacts {
    bool exe_folder_writable = false;
    // The shipped files lie under ../share/prismel/ rather than beside the
    // executable: an installed copy, whose folder belongs to the system even
    // for a user (root) who may write it.
    bool installed = false;
};

enum class FolderChoice { beside_executable, per_user };

FolderChoice choose_folder(const FolderFacts& facts);

// The per-user folder, ending in '/': $XDG_DATA_HOME/prismel/ when that is an
// absolute path, else $HOME/.local/share/prismel/; "" when neither is known.
// nullptr stands for an unset variable.
std::string per_user_folder(const char* xdg_data_home, const char* home);

// The folder of the shipped files (the preset definitions and the title
// image), ending in '/': the executable's own folder when it holds them,
// else ../share/prismel/ beside it when that does, else the executable's folder.
std::string shipped_folder(const std::string& exe_folder);

// The files an installation ships and a per-user folder gets a copy of.
inline constexpr const char* kShippedFiles[] = {"PRSMDATA.DEF", "PRSMTITL.BMP"};

struct ProgramPlace {
    std::string folder;         // ending in '/'
    std::string settings_file;  // inside folder, named after the executable
    bool per_user = false;
};

// The program folder for an executable: chooses it, and for a per-user folder
// makes it (with its DATA/ folder) and copies each shipped file it lacks. When
// the per-user folder cannot be made, the executable's folder is kept.
// xdg_data_home and home as for per_user_folder.
ProgramPlace find_program_place(const std::string& exe_path, const char* xdg_data_home, const char* home);
// The same with the process's own environment (XDG_DATA_HOME, HOME).
ProgramPlace find_program_place(const std::string& exe_path);

}  // namespace prismel
