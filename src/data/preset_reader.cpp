#include "data/preset_reader.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "data/show_files.h"
#include "data/text_fit.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr int kLineBuffer = 80;   // one read takes at most 79 characters
constexpr int kCleanLimit = 128;  // characters of a line looked at
constexpr std::size_t kNameBytes = sizeof(ColourRecord::name) - 1;
constexpr std::size_t kMessageBytes = sizeof(ColourTable::message) - 1;
const char kPresetKey[] = "preset_color";

// Reads up to size - 1 characters, through the end of a line, as a text-mode
// read does on the console's home platform: CR LF comes in as LF alone, so a
// file reads the same whatever its line ends. False at the end of the file
// before any character.
bool read_line(std::FILE* f, char* buf, int size) {
    int n = 0;
    while (n < size - 1) {
        int ch = std::getc(f);
        if (ch == EOF) break;
        if (ch == '\r') {
            int next = std::getc(f);
            if (next == '\n') {
                ch = '\n';
            } else if (next != EOF) {
                std::ungetc(next, f);
            }
        }
        buf[n++] = static_cast<char>(ch);
        if (ch == '\n') break;
    }
    buf[n] = '\0';
    return n > 0;
}

// Drops comments, quote marks and (outside quotes) blanks and tabs.
void clean_line(const char* in, char* out) {
    bool quoted = false;
    int j = 0;
    for (int i = 0; i < kCleanLimit && in[i] != '\0'; ++i) {
        char ch = in[i];
        if (ch == ';') break;
        if (ch == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (ch == ' ' || ch == '\t')) continue;
        out[j++] = ch;
    }
    out[j] = '\0';
}

bool ends_line(char ch) { return ch == '\0' || ch == '\r' || ch == '\n'; }

// The value at p, up to ",", CR, LF or the end; p moves past its ",".
// False when the line has ended where the value should begin.
bool next_value(const char*& p, std::string& value) {
    if (ends_line(*p)) return false;
    const char* start = p;
    while (!ends_line(*p) && *p != ',') ++p;
    value.assign(start, p);
    if (*p == ',') ++p;
    return true;
}

// An optional sign and the leading decimal digits, 0 when there are none;
// held to the range of int where atoi would overflow.
int to_int(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

uint8_t low_byte(const std::string& text) { return static_cast<uint8_t>(static_cast<unsigned>(to_int(text)) & 0xFF); }

// Writes format (one %s for text, optionally preceded by one %d) into the
// message; a text too long for it is cut from the front at a whole
// character and marked "...", so the file name and the ending stay readable.
void set_message(ColourTable& colours, const char* format, const std::string& text, int line = -1) {
    auto render = [&](const std::string& t) {
        char probe[1];
        int n = line < 0 ? std::snprintf(probe, 0, format, t.c_str()) : std::snprintf(probe, 0, format, line, t.c_str());
        return n < 0 ? std::size_t{0} : static_cast<std::size_t>(n);
    };
    std::string fitted = text;
    std::size_t total = render(fitted);
    if (total > kMessageBytes) {
        std::size_t frame = total - text.size();
        std::size_t room = kMessageBytes > frame + 3 ? kMessageBytes - frame - 3 : 0;
        fitted = "..." + text.substr(sjis_tail_start(text, room));
    }
    if (line < 0) {
        std::snprintf(colours.message, sizeof colours.message, format, fitted.c_str());
    } else {
        std::snprintf(colours.message, sizeof colours.message, format, line, fitted.c_str());
    }
}

// The values of one preset_color line, each stored right after it is read.
bool read_preset(ColourTable& colours, const char* values) {
    std::string value;
    if (!next_value(values, value)) return false;
    int number = to_int(value);
    if (number < 0 || number >= kPresets) return false;
    ColourRecord& rec = colours.rec[number];
    if (!next_value(values, value)) return false;
    std::size_t len = sjis_fit(value.c_str(), kNameBytes);
    std::memcpy(rec.name, value.data(), len);
    rec.name[len] = '\0';
    uint8_t* levels[3] = {&rec.y, &rec.m, &rec.c};
    for (uint8_t* level : levels) {
        if (!next_value(values, value)) return false;
        *level = low_byte(value);
    }
    return true;
}

// Handles one cleaned line; false when reading must stop.
bool read_definition(ColourTable& colours, const char* line, int line_number) {
    const char* p = line;
    while (*p == '=') ++p;
    const char* key_start = p;
    while (!ends_line(*p) && *p != '=') ++p;
    std::string key(key_start, p);
    bool has_equals = *p == '=';
    const char* values = has_equals ? p + 1 : p;
    if (key == kPresetKey) {
        if (read_preset(colours, values)) return true;
        set_message(colours, sj("%d:[%s]の設定が間違っています"), key, line_number);
        return false;
    }
    if (has_equals && !ends_line(*values)) {
        set_message(colours, sj("%d:[%s]は不正な項目名です"), key, line_number);
        return false;
    }
    return true;  // empty lines, comments, section headers
}

}  // namespace

std::string preset_file_name(const std::string& folder) {
    return folder + kShowBaseName + "." + kPresetFileExtension;
}

int read_preset_colours(ColourTable& colours, const std::string& path) {
    colours.message[0] = '\0';
    // A folder opens for reading on some systems and then yields nothing; it
    // is no definition file.
    std::error_code ec;
    bool openable = !path.empty() && !std::filesystem::is_directory(path, ec);
    std::FILE* f = openable ? std::fopen(path.c_str(), "rb") : nullptr;
    if (!f) {
        set_message(colours, sj("[%s]が開けません"), path);
        return 0;
    }
    colours.clear_presets();
    char buf[kLineBuffer];
    char line[kCleanLimit + 1];
    int line_number = 0;
    while (read_line(f, buf, kLineBuffer)) {
        ++line_number;
        clean_line(buf, line);
        if (!read_definition(colours, line, line_number)) break;
    }
    std::fclose(f);
    return colours.message[0] == '\0' ? 1 : 0;
}

}  // namespace prismel
