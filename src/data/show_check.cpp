#include "data/show_check.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "data/patch_overlap.h"
#include "data/show_files.h"

namespace prismel {

namespace {

#if defined(__GNUC__)
#define PRISMEL_PRINTF_LIKE __attribute__((format(printf, 2, 3)))
#else
#define PRISMEL_PRINTF_LIKE
#endif

class Findings {
public:
    explicit Findings(std::vector<std::string>& out, std::vector<std::string>& warnings)
        : out_(out), warnings_(warnings) {}
    void file(ShowTable t) { std::snprintf(file_, sizeof file_, "%s.%s", kShowBaseName, extension_of(t)); }
    void add(const char* format, ...) PRISMEL_PRINTF_LIKE {
        char text[256];
        va_list ap;
        va_start(ap, format);
        std::vsnprintf(text, sizeof text, format, ap);
        va_end(ap);
        out_.push_back(std::string(file_) + ": " + text);
    }
    void warn(const std::string& text) { warnings_.push_back(std::string(file_) + ": warning: " + text); }

private:
    std::vector<std::string>& out_;
    std::vector<std::string>& warnings_;
    char file_[16] = {};
};

bool bad_reference(int value, int size) { return value != -1 && (value < 0 || value >= size); }

void name_terminated(Findings& f, const char* kind, int number, const unsigned char* field, std::size_t size) {
    if (std::memchr(field, 0, size) == nullptr)
        f.add("%s %d: name fills all %zu bytes of its field without a terminator", kind, number, size);
}

// Names are looked at in the bytes as they lie in the file: reading a table
// terminates them.
void check_names(Findings& f, ShowTable t, const std::vector<unsigned char>& image) {
    const std::size_t rs = record_size_of(t);
    for (std::size_t at = 0; at + rs <= image.size(); at += rs) {
        int number = static_cast<int>(at / rs) + 1;
        const unsigned char* r = image.data() + at;
        switch (t) {
            case ShowTable::kColours: name_terminated(f, "colour", number, r, sizeof ColourRecord::name); break;
            case ShowTable::kScenes: name_terminated(f, "scene", number, r, sizeof SceneRecord::name); break;
            case ShowTable::kChases: name_terminated(f, "chase", number, r, sizeof ChaseRecord::name); break;
            case ShowTable::kFkeys: name_terminated(f, "function key F", number, r, sizeof FkeyRecord::label); break;
            default: return;
        }
    }
}

void check_scenes(Findings& f, const ShowData& show) {
    for (int s = 0; s < kScenes; ++s) {
        for (int x = 0; x < kFixtures; ++x) {
            int c = show.scenes[s].colour[x];
            if (bad_reference(c, kColours))
                f.add("scene %d, fixture %d: colour index %d outside 0-%d", s + 1, x + 1, c, kColours - 1);
        }
    }
}

void check_chases(Findings& f, const ShowData& show) {
    for (int c = 0; c < kChases; ++c) {
        const ChaseRecord& r = show.chases[c];
        if (r.step_count > kChaseSteps)
            f.add("chase %d: step count %d above %d", c + 1, r.step_count, kChaseSteps);
        for (int s = 0; s < kChaseSteps; ++s) {
            if (bad_reference(r.steps[s], kScenes))
                f.add("chase %d, step %d: scene index %d outside 0-%d", c + 1, s + 1, r.steps[s], kScenes - 1);
        }
    }
}

void check_cues(Findings& f, const ShowData& show) {
    for (int i = 0; i < kCues; ++i) {
        const CueRecord& r = show.cues[i];
        if (bad_reference(r.scene, kScenes))
            f.add("cue record %d (number %d): scene index %d outside 0-%d", i + 1, r.number, r.scene, kScenes - 1);
        if (bad_reference(r.chase, kChases))
            f.add("cue record %d (number %d): chase index %d outside 0-%d", i + 1, r.number, r.chase, kChases - 1);
        if (i > 0 && r.number <= show.cues[i - 1].number)
            f.add("cue record %d: number %d out of ascending order (record %d has %d)", i + 1, r.number, i,
                  show.cues[i - 1].number);
    }
}

void check_patch(Findings& f, const ShowData& show) {
    for (int x = 0; x < kFixtures; ++x) {
        const PatchRecord& p = show.patch[x];
        if (bad_reference(p.start, kDmxSlots))
            f.add("fixture %d: patch start %d outside 0-%d", x + 1, p.start, kDmxSlots - 1);
        if (p.layout < 1 || p.layout > 4) f.add("fixture %d: layout %d outside 1-4", x + 1, p.layout);
    }
    const auto span_text = [&](int x) {
        const ChannelSpan c = channels_of(show.patch[x]);
        return "fixture " + std::to_string(x + 1) + " (channels " + std::to_string(c.first + 1) + "-" +
               std::to_string(c.end) + ")";
    };
    for (int x = 0; x < kFixtures; ++x)
        if (channels_of(show.patch[x]).end > kDmxSlots)
            f.warn(span_text(x) + " runs past channel " + std::to_string(kDmxSlots) + " and is not output");
    for (const auto& [a, b] : patch_overlaps(show.patch))
        f.warn(span_text(a) + " shares DMX channels with " + span_text(b));
}

void check_fkeys(Findings& f, const ShowData& show) {
    for (int k = 0; k < kFkeys; ++k) {
        const FkeyRecord& r = show.fkeys[k];
        int size = 0;
        const char* kind = "";
        switch (r.type) {
            case kFkeyCue: size = kCues, kind = "cue"; break;
            case kFkeyScene: size = kScenes, kind = "scene"; break;
            case kFkeyChase: size = kChases, kind = "chase"; break;
            case kFkeyNone:
            case kFkeyStandby: break;
            default: f.add("function key F%d: type %d outside -1-3", k + 1, r.type); break;
        }
        if (size > 0 && bad_reference(r.target, size))
            f.add("function key F%d: %s index %d outside 0-%d", k + 1, kind, r.target, size - 1);
    }
}

// The file's bytes up to one past its table, and its full size.
bool read_image(const std::string& path, std::size_t table_size, std::vector<unsigned char>& image,
                std::uintmax_t& file_size) {
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return false;
    image.resize(table_size);
    image.resize(std::fread(image.data(), 1, table_size, fp));
    bool unreadable = std::ferror(fp) != 0;
    std::fclose(fp);
    if (unreadable) return false;
    std::error_code ec;
    file_size = std::filesystem::file_size(path, ec);
    if (ec) file_size = image.size();
    return true;
}

void check_file(Findings& f, ShowData& show, ShowTable t, const std::string& folder) {
    f.file(t);
    std::string path = show_file_name(folder, t);
    std::vector<unsigned char> image;
    std::uintmax_t size = 0;
    std::error_code ec;
    if (!read_image(path, file_size_of(t), image, size)) {
        if (std::filesystem::exists(path, ec)) f.add("cannot be read");
        else f.add("missing");
        return;
    }
    if (size < file_size_of(t))
        f.add("%ju bytes, shorter than its table of %zu bytes", size, file_size_of(t));
    else if (size > file_size_of(t))
        f.add("%ju bytes, longer than its table of %zu bytes", size, file_size_of(t));
    check_names(f, t, image);
    if (!read_table(show, t, folder)) return;
    switch (t) {
        case ShowTable::kScenes: check_scenes(f, show); break;
        case ShowTable::kChases: check_chases(f, show); break;
        case ShowTable::kCues: check_cues(f, show); break;
        case ShowTable::kPatch: check_patch(f, show); break;
        case ShowTable::kFkeys: check_fkeys(f, show); break;
        default: break;
    }
}

}  // namespace

ShowCheck check_show_folder(const std::string& folder) {
    ShowCheck result;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        result.error = ec ? ec.message() : "not a folder";
        return result;
    }
    std::filesystem::directory_iterator probe(folder, ec);
    if (ec) {
        result.error = ec.message();
        return result;
    }
    result.readable = true;
    auto show = std::make_unique<ShowData>();
    Findings findings(result.anomalies, result.warnings);
    std::string dir = with_trailing_separator(folder);
    for (ShowTable t : kShowTables) check_file(findings, *show, t, dir);
    return result;
}

}  // namespace prismel
