#include "platform/file_system.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "platform/text_codec.h"

namespace prismel {
namespace {

namespace fs = std::filesystem;

// Hidden entries (a leading point here, the hidden attribute on Windows) and
// links are no plain folders: a show folder is a folder and nothing else.
bool is_plain_folder(const fs::directory_entry& e) {
    std::error_code ec;
    const std::string name = e.path().filename().string();
    if (name.empty() || name[0] == '.') return false;
    return e.symlink_status(ec).type() == fs::file_type::directory && !ec;
}


class SystemFileSystem : public FileSystem {
public:
    std::vector<std::string> sub_folders(const std::string& folder) override {
        return entries(folder, true);
    }
    std::vector<std::string> other_entries(const std::string& folder) override {
        return entries(folder, false);
    }

    bool modified_text(const std::string& path, std::string& text) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
        std::tm local{};
        const std::time_t t = st.st_mtime;
#ifdef _WIN32
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        char buf[32];
        std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &local);
        text = buf;
        return true;
    }

    bool is_folder(const std::string& path) override {
        std::error_code ec;
        return fs::is_directory(path, ec);
    }
    bool make_folder(const std::string& path) override {
        std::error_code ec;
        return fs::create_directory(path, ec) && !ec;
    }
    bool remove_folder(const std::string& path) override {
        std::error_code ec;
        if (!fs::is_directory(fs::symlink_status(path, ec))) return false;
        return fs::remove(path, ec) && !ec;
    }
    bool remove_file(const std::string& path) override {
        std::error_code ec;
        return fs::remove(path, ec) && !ec;
    }

    bool copy_file(const std::string& source, const std::string& target) override {
        std::FILE* in = std::fopen(source.c_str(), "rb");
        if (!in) return false;
        std::FILE* out = std::fopen(target.c_str(), "w+b");
        if (!out) {
            std::fclose(in);
            return false;
        }
        std::vector<unsigned char> buf(64 * 1024);
        bool ok = true;
        for (;;) {
            const std::size_t got = std::fread(buf.data(), 1, buf.size(), in);
            if (got > 0 && std::fwrite(buf.data(), 1, got, out) != got) {
                ok = false;
                break;
            }
            if (got < buf.size()) break;
        }
        ok = !std::ferror(in) && ok;
        std::fclose(in);
        ok = flush_to_disk(out) && ok;
        ok = (std::fclose(out) == 0) && ok;
        return ok;
    }

    bool rename_file(const std::string& from, const std::string& to) override {
        std::error_code ec;
        fs::rename(from, to, ec);
        return !ec;
    }

    bool exists(const std::string& path) override {
        std::error_code ec;
        return fs::exists(fs::symlink_status(path, ec));
    }

private:
    static std::vector<std::string> entries(const std::string& folder, bool folders) {
        std::vector<std::string> names;
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? "." : folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (is_plain_folder(*it) == folders) names.push_back(it->path().filename().string());
        }
        return names;
    }
};

FileSystem* g_installed = nullptr;

}  // namespace

bool flush_to_disk(std::FILE* fp) {
    if (std::fflush(fp) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(fp)) == 0;
#else
    return ::fsync(::fileno(fp)) == 0;
#endif
}

FileSystem& system_file_system() {
    static SystemFileSystem fs;
    return fs;
}

FileSystem& file_system() { return g_installed ? *g_installed : system_file_system(); }

void set_file_system(FileSystem* fs) { g_installed = fs; }

#ifdef _WIN32
std::string native_name_of(const std::string& cp932) { return cp932; }
std::string cp932_name_of(const std::string& native) { return native; }
#else
std::string native_name_of(const std::string& cp932) { return to_utf8(cp932); }
std::string cp932_name_of(const std::string& native) { return to_cp932(native); }
#endif

}  // namespace prismel
