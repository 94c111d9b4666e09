#pragma once
// The file-system work of the data folders: enumerating folders, the date of
// a file, creating and removing folders, deleting and copying files. The
// system's implementation is installed by default; tests install one that
// fails where they want.
//
// Paths are the platform's own bytes (UTF-8 here, the ANSI code page on
// Windows), as the program folder is kept; names the operator types are
// CP932 and go through native_name_of / cp932_name_of at this edge.
#include <cstdio>
#include <string>
#include <vector>

namespace prismel {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Names of the plain sub-folders of folder (no link, not hidden, not "."
    // or ".."), in the order the system lists them; empty when it cannot.
    virtual std::vector<std::string> sub_folders(const std::string& folder) = 0;
    // Names of every other entry of folder (files, links, hidden entries).
    virtual std::vector<std::string> other_entries(const std::string& folder) = 0;
    // The local modification date and time of a file as "YYYY/MM/DD hh:mm:ss";
    // false when there is no such file.
    virtual bool modified_text(const std::string& path, std::string& text) = 0;
    virtual bool is_folder(const std::string& path) = 0;
    // Creates one folder (its parent must exist): false when it exists or
    // cannot be made.
    virtual bool make_folder(const std::string& path) = 0;
    // Removes an empty folder.
    virtual bool remove_folder(const std::string& path) = 0;
    // Removes a file (or an empty folder).
    virtual bool remove_file(const std::string& path) = 0;
    // Writes a complete copy of source as target (created or emptied) and
    // puts it on disk; false when any byte could not be read or written.
    virtual bool copy_file(const std::string& source, const std::string& target) = 0;
    // Renames a file, replacing an existing target.
    virtual bool rename_file(const std::string& from, const std::string& to) = 0;
    virtual bool exists(const std::string& path) = 0;
};

// The installed file system, or the system's while none is installed.
FileSystem& file_system();
void set_file_system(FileSystem* fs);  // nullptr: the system's again
FileSystem& system_file_system();

// Flushes a written file and puts it on the disk: false when either failed.
bool flush_to_disk(std::FILE* fp);

// A name typed in CP932 as the platform writes it, and back for display.
std::string native_name_of(const std::string& cp932);
std::string cp932_name_of(const std::string& native);

}  // namespace prismel
