#pragma once
// The settings file on disk: a Windows-style INI file kept in memory and
// written back on save(). Section and key names keep their case in the file
// and are looked up without regard to case; values are stored as the bytes
// given (CP932), never converted.
#include <memory>
#include <string>

#include "platform/profile.h"

namespace prismel {

class IniProfile : public Profile {
public:
    // Loads the file when it exists; a missing file is an empty profile.
    explicit IniProfile(std::string path);
    ~IniProfile() override;
    IniProfile(const IniProfile&) = delete;
    IniProfile& operator=(const IniProfile&) = delete;

    int read_int(const char* section, const char* key, int def) const override;
    std::string read_string(const char* section, const char* key, const std::string& def) const override;
    void write_int(const char* section, const char* key, int value) override;
    void write_string(const char* section, const char* key, const std::string& value) override;
    // Writes a temporary file beside the target and renames it over the
    // target, so a failed write never leaves half a settings file. A file
    // that existed but could not be read is never overwritten.
    int save() override;

    const std::string& path() const { return path_; }
    // True when the file existed but could not be read.
    bool unreadable() const { return unreadable_; }

private:
    struct Store;
    std::string path_;
    std::unique_ptr<Store> store_;
    bool unreadable_ = false;
};

// Integer as the settings file holds it: optional blanks and sign, then
// decimal digits, or hexadecimal after "$" or "0x". Anything else, or a value
// outside int, gives def.
int parse_profile_int(const std::string& text, int def);

}  // namespace prismel
