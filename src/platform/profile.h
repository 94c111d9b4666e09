#pragma once
// The settings file: named sections of key=value lines, read at start and
// written at shutdown. Section names are kept exactly as given ("General",
// "Option", "Color"). Texts are CP932 bytes, as stored in the file.
#include <string>

namespace prismel {

// The settings file's sections, exactly as they appear in the file.
inline constexpr const char* kSectionGeneral = "General";
inline constexpr const char* kSectionOption = "Option";
inline constexpr const char* kSectionColor = "Color";

class Profile {
public:
    virtual ~Profile() = default;
    // The stored integer, or def when the key is missing or not a number.
    virtual int read_int(const char* section, const char* key, int def) const = 0;
    virtual std::string read_string(const char* section, const char* key, const std::string& def) const = 0;
    virtual void write_int(const char* section, const char* key, int value) = 0;
    virtual void write_string(const char* section, const char* key, const std::string& value) = 0;
    // Writes the file; 1 on success, 0 on failure.
    virtual int save() = 0;
};

}  // namespace prismel
