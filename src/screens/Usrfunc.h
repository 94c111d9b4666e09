#pragma once
// The data folders on disk: the save folders of a data location with the
// date of their scene file, and the folder creation and deletion the data
// folder screen offers. Everything goes through the installed file system
// (platform/file_system.h), so tests can make any step fail.
#include <string>
#include <vector>

namespace prismel {

struct SaveFolder {
    std::string name;   // the platform's bytes, as it lies on disk
    std::string label;  // the name in CP932, for the screen
    std::string date;   // the scene file's date and time (CP932); empty without one
};

// Sub-folders of location (a path with its trailing separator), in the
// order the system lists them.
std::vector<SaveFolder> scan_save_folders(const std::string& location);

// program folder + "DATA" + the separator.
std::string default_data_location(const std::string& program_folder);

// True for a name the operator typed (CP932) that names one folder directly
// inside the data location: not empty, not "." or "..", no path separator
// ("/", or a "\" that is not the second byte of a double-byte character), no
// control character and none of the characters file systems refuse in names.
bool is_safe_folder_name(const std::string& cp932);

// Creates location + name: false for a name that is not safe or a folder
// that could not be made (it exists, the system refuses the name).
bool create_save_folder(const std::string& location, const std::string& cp932_name);

// Deletes every entry of the folder but its sub-folders, then the folder:
// false when the folder is still there.
bool delete_save_folder(const std::string& folder);

}  // namespace prismel
