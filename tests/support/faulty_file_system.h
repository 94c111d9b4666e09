#pragma once
// The system's file system with failures where a test wants them: the n-th
// copy or rename fails, or any operation on a path containing a given text.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_system.h"

namespace prismel::test {

class FaultyFileSystem : public FileSystem {
public:
    int fail_copy_at = -1;    // 0-based count of copies; -1: none fails
    int fail_rename_at = -1;  // 0-based count of renames
    bool fail_make_folder = false;
    bool fail_remove_folder = false;
    int copies = 0, renames = 0;

    std::vector<std::string> sub_folders(const std::string& f) override { return real().sub_folders(f); }
    std::vector<std::string> other_entries(const std::string& f) override { return real().other_entries(f); }
    bool modified_text(const std::string& p, std::string& t) override { return real().modified_text(p, t); }
    bool is_folder(const std::string& p) override { return real().is_folder(p); }
    bool make_folder(const std::string& p) override { return !fail_make_folder && real().make_folder(p); }
    bool remove_folder(const std::string& p) override { return !fail_remove_folder && real().remove_folder(p); }
    bool remove_file(const std::string& p) override { return real().remove_file(p); }
    bool copy_file(const std::string& s, const std::string& t) override {
        if (copies++ == fail_copy_at) {
            // A copy that breaks off leaves part of a file behind.
            if (real().copy_file(s, t)) {
                std::error_code ec;
                std::filesystem::resize_file(t, std::filesystem::file_size(t, ec) / 2, ec);
            }
            return false;
        }
        return real().copy_file(s, t);
    }
    bool rename_file(const std::string& from, const std::string& to) override {
        if (renames++ == fail_rename_at) return false;
        return real().rename_file(from, to);
    }
    bool exists(const std::string& p) override { return real().exists(p); }

private:
    static FileSystem& real() { return system_file_system(); }
};

// Installs a file system for the life of a scope.
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& fs) { set_file_system(&fs); }
    ~ScopedFileSystem() { set_file_system(nullptr); }
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;
};

}  // namespace prismel::test
