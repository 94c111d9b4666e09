#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace prismel::test {

// A fresh folder under the system temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder path with a trailing separator, as the program folder is kept.
    std::string folder() const;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::vector<unsigned char>& bytes);
void write_text(const std::string& path, const std::string& text);
std::string read_text(const std::string& path);

}  // namespace prismel::test
