#include "platform/durable_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "platform/file_system.h"

namespace prismel {
namespace {

void remove_quietly(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

// The rename itself lives in the folder: until the folder is on the disk, a
// power cut may bring the old entry back. Systems that cannot flush a folder
// (Windows, some network file systems) keep the rename as they keep it.
void flush_folder_of(const std::string& path) {
#ifndef _WIN32
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
#else
    (void)path;
#endif
}

}  // namespace

bool replace_file_durably(const std::string& path, const unsigned char* data, std::size_t size) {
    const std::string temp = path + ".tmp";
    std::FILE* fp = std::fopen(temp.c_str(), "w+b");
    if (!fp) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, fp) == size;
    ok = flush_to_disk(fp) && ok;
    ok = (std::fclose(fp) == 0) && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        remove_quietly(temp);
        return false;
    }
    flush_folder_of(path);
    return true;
}

bool read_small_file(const std::string& path, std::size_t limit, std::string& bytes) {
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return false;
    bytes.assign(limit + 1, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), fp);
    const bool failed = std::ferror(fp) != 0;
    std::fclose(fp);
    if (failed || got > limit) return false;
    bytes.resize(got);
    return true;
}

}  // namespace prismel
