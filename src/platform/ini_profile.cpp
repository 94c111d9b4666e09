#include "platform/ini_profile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

// Byte-transparent: no code-page conversion, so CP932 values pass unchanged.
#define SI_NO_CONVERSION
// The template bodies, instantiated here only: the header is used header-only.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace prismel {

struct IniProfile::Store {
    CSimpleIniA ini{false, false, false};
};

namespace {

// Whole file into text; false on any read error, errno kept.
bool read_file(const std::string& path, std::string& text) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool write_all(int fd, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

int parse_profile_int(const std::string& text, int def) {
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t end = n;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < end && text[i] == '$') {
        base = 16;
        ++i;
    } else if (end - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end) return def;
    long long value = 0;
    for (; i < end; ++i) {
        char c = text[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return def;
        value = value * base + d;
        // Hexadecimal may spell a negative int through its bit pattern (colours never do).
        if (value > (base == 16 ? 0xFFFFFFFFLL : static_cast<long long>(INT_MAX) + 1)) return def;
    }
    if (base == 16 && value > INT_MAX) value -= 0x100000000LL;
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return def;
    return static_cast<int>(value);
}

IniProfile::IniProfile(std::string path) : path_(std::move(path)), store_(std::make_unique<Store>()) {
    store_->ini.SetSpaces(false);
    std::string text;
    errno = 0;
    if (read_file(path_, text)) {
        if (store_->ini.LoadData(text.data(), text.size()) < 0) unreadable_ = true;
    } else if (errno != ENOENT) {
        unreadable_ = true;
    }
}

IniProfile::~IniProfile() = default;

int IniProfile::read_int(const char* section, const char* key, int def) const {
    const char* v = store_->ini.GetValue(section, key, nullptr);
    return v ? parse_profile_int(v, def) : def;
}

std::string IniProfile::read_string(const char* section, const char* key, const std::string& def) const {
    const char* v = store_->ini.GetValue(section, key, nullptr);
    return v ? std::string(v) : def;
}

void IniProfile::write_int(const char* section, const char* key, int value) {
    write_string(section, key, std::to_string(value));
}

void IniProfile::write_string(const char* section, const char* key, const std::string& value) {
    // A line break inside a value would start a new line, or key, in the file.
    std::string one_line = value;
    for (char& c : one_line)
        if (c == '\r' || c == '\n') c = ' ';
    store_->ini.SetValue(section, key, one_line.c_str());
}

int IniProfile::save() {
    if (unreadable_) return 0;
    std::string text;
    if (store_->ini.Save(text) < 0) return 0;
    std::string tmp = path_ + ".new";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return 0;
    bool ok = write_all(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), path_.c_str()) != 0) {
        std::remove(tmp.c_str());
        return 0;
    }
    return 1;
}

}  // namespace prismel
