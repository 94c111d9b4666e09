#include "data/show_files.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/durable_file.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

std::atomic<unsigned> g_generations[kShowFiles];

void note_table_changed(ShowTable t) { g_generations[static_cast<int>(t)].fetch_add(1, std::memory_order_relaxed); }

struct TableShape {
    const char* extension;
    std::size_t record_size;
    int records;
};

constexpr TableShape kShapes[kShowFiles] = {
    {"COL", sizeof(ColourRecord), kColours}, {"SCN", sizeof(SceneRecord), kScenes},
    {"CHS", sizeof(ChaseRecord), kChases},   {"CUE", sizeof(CueRecord), kCues},
    {"LPT", sizeof(PatchRecord), kFixtures}, {"FKY", sizeof(FkeyRecord), kFkeys},
    {"GRP", sizeof(GroupRecord), kGroups},
};

const TableShape& shape(ShowTable t) { return kShapes[static_cast<int>(t)]; }

// The bytes of record i of a table; scenes, chases and cues are allocated
// one by one, the other tables are single arrays.
unsigned char* record_bytes(ShowData& show, ShowTable t, int i) {
    switch (t) {
        case ShowTable::kColours: return reinterpret_cast<unsigned char*>(&show.colours.rec[i]);
        case ShowTable::kScenes: return reinterpret_cast<unsigned char*>(&show.scenes[i]);
        case ShowTable::kChases: return reinterpret_cast<unsigned char*>(&show.chases[i]);
        case ShowTable::kCues: return reinterpret_cast<unsigned char*>(&show.cues[i]);
        case ShowTable::kPatch: return reinterpret_cast<unsigned char*>(&show.patch[i]);
        case ShowTable::kFkeys: return reinterpret_cast<unsigned char*>(&show.fkeys[i]);
        case ShowTable::kGroups: return reinterpret_cast<unsigned char*>(&show.groups[i]);
    }
    return nullptr;
}


void terminate_field(char* field, std::size_t size) {
    if (strnlen(field, size) == size) field[size - 1] = '\0';
}

// A name read from disk that fills its whole field would run into the next
// field (or the next record) wherever it is printed.
void terminate_names(ShowData& show, ShowTable t) {
    switch (t) {
        case ShowTable::kColours:
            for (ColourRecord& r : show.colours.rec) terminate_field(r.name, sizeof r.name);
            break;
        case ShowTable::kScenes:
            for (int i = 0; i < kScenes; ++i) terminate_field(show.scenes[i].name, sizeof show.scenes[i].name);
            break;
        case ShowTable::kChases:
            for (int i = 0; i < kChases; ++i) terminate_field(show.chases[i].name, sizeof show.chases[i].name);
            break;
        case ShowTable::kFkeys:
            for (FkeyRecord& f : show.fkeys) terminate_field(f.label, sizeof f.label);
            break;
        default: break;
    }
}

// Reads at most `limit` bytes; returns how many were read.
std::size_t read_up_to(std::FILE* fp, unsigned char* buf, std::size_t limit) {
    std::size_t total = 0;
    while (total < limit) {
        std::size_t got = std::fread(buf + total, 1, limit - total, fp);
        if (got == 0) break;
        total += got;
    }
    return total;
}

bool is_separator_at_end(const std::string& s) {
    if (s.empty()) return false;
    char last = s.back();
    if (last == '/') return true;
    if (last != '\\') return false;
    // A 0x5C can be the second byte of a Shift-JIS character such as 表.
    std::size_t k = 0;
    while (k + 1 < s.size()) {
        k += is_sjis_lead(static_cast<unsigned char>(s[k])) ? 2 : 1;
    }
    return k == s.size() - 1;
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Every file of the new show is copied beside its target first; only when
// all seven are complete do they replace the old ones, each old file kept
// aside until the last is in place. A failure at any point leaves the target
// folder with the old show whole.
class ShowSwap {
public:
    ShowSwap(FileSystem& fs, const std::string& from_folder, const std::string& to_folder) : fs_(fs) {
        for (int i = 0; i < kShowFiles; ++i) {
            source_[i] = show_file_name(from_folder, kShowTables[i]);
            target_[i] = show_file_name(to_folder, kShowTables[i]);
        }
    }

    bool copy(int i) {
        if (fs_.copy_file(source_[i], fresh(i))) return true;
        fs_.remove_file(fresh(i));
        return false;
    }

    bool put_in_place() {
        for (int i = 0; i < kShowFiles; ++i) {
            had_old_[i] = fs_.exists(target_[i]);
            if (had_old_[i]) {
                fs_.remove_file(old(i));
                if (!fs_.rename_file(target_[i], old(i))) return undo(i);
            }
            if (!fs_.rename_file(fresh(i), target_[i])) {
                if (had_old_[i]) fs_.rename_file(old(i), target_[i]);
                return undo(i);
            }
        }
        for (int i = 0; i < kShowFiles; ++i)
            if (had_old_[i]) fs_.remove_file(old(i));
        return true;
    }

    void drop_copies(int count) {
        for (int i = 0; i < count; ++i) fs_.remove_file(fresh(i));
    }

private:
    std::string fresh(int i) const { return target_[i] + ".new"; }
    std::string old(int i) const { return target_[i] + ".old"; }

    // The files before `placed` are back as they were; every copy is gone.
    bool undo(int placed) {
        for (int i = 0; i < placed; ++i) {
            if (had_old_[i])
                fs_.rename_file(old(i), target_[i]);
            else
                fs_.remove_file(target_[i]);
        }
        drop_copies(kShowFiles);
        return false;
    }

    FileSystem& fs_;
    std::string source_[kShowFiles];
    std::string target_[kShowFiles];
    bool had_old_[kShowFiles] = {};
};

int copy_show(const std::string& from_folder, const std::string& to_folder, const char* progress_utf8,
              MessageLine* line) {
    const char* progress = sj(progress_utf8);
    ShowSwap swap(file_system(), from_folder, to_folder);
    for (int i = 0; i < kShowFiles; ++i) {
        if (line) {
            char text[128];
            std::snprintf(text, sizeof text, progress, kShowBaseName, extension_of(kShowTables[i]));
            line->set(text, false);
        }
        if (!swap.copy(i)) {
            swap.drop_copies(i);
            return 0;
        }
    }
    return swap.put_in_place() ? kShowFiles : 0;
}

}  // namespace

const char* extension_of(ShowTable t) { return shape(t).extension; }
std::size_t record_size_of(ShowTable t) { return shape(t).record_size; }
int record_count_of(ShowTable t) { return shape(t).records; }
std::size_t file_size_of(ShowTable t) { return shape(t).record_size * static_cast<std::size_t>(shape(t).records); }

std::string show_file_name(const std::string& folder, ShowTable t) {
    return folder + kShowBaseName + "." + extension_of(t);
}

int read_table(ShowData& show, ShowTable t, const std::string& folder) {
    std::string path = show_file_name(folder, t);
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return 0;
    std::vector<unsigned char> image(file_size_of(t));
    std::size_t got = read_up_to(fp, image.data(), image.size());
    // A file that opens but cannot be read (a folder of that name) is as
    // good as missing.
    bool unreadable = std::ferror(fp) != 0;
    std::fclose(fp);
    if (unreadable) return 0;
    const std::size_t rs = record_size_of(t);
    for (int i = 0; i < record_count_of(t); ++i) {
        std::size_t at = rs * static_cast<std::size_t>(i);
        if (at >= got) break;
        std::size_t n = got - at < rs ? got - at : rs;
        std::memcpy(record_bytes(show, t, i), image.data() + at, n);
    }
    terminate_names(show, t);
    note_table_changed(t);
    return 1;
}

const unsigned char* record_bytes(const ShowData& show, ShowTable t, int i) {
    return record_bytes(const_cast<ShowData&>(show), t, i);
}

void table_image_into(const ShowData& show, ShowTable t, unsigned char* out) {
    const std::size_t rs = record_size_of(t);
    for (int i = 0; i < record_count_of(t); ++i) std::memcpy(out + rs * static_cast<std::size_t>(i), record_bytes(show, t, i), rs);
}

std::vector<unsigned char> table_image(const ShowData& show, ShowTable t) {
    std::vector<unsigned char> image(file_size_of(t));
    table_image_into(show, t, image.data());
    return image;
}

bool table_matches_image(const ShowData& show, ShowTable t, const unsigned char* image) {
    const std::size_t rs = record_size_of(t);
    for (int i = 0; i < record_count_of(t); ++i) {
        if (std::memcmp(image + rs * static_cast<std::size_t>(i), record_bytes(show, t, i), rs) != 0) return false;
    }
    return true;
}

int put_table_image(ShowData& show, ShowTable t, const unsigned char* image, std::size_t size) {
    if (size != file_size_of(t)) return 0;
    const std::size_t rs = record_size_of(t);
    for (int i = 0; i < record_count_of(t); ++i) std::memcpy(record_bytes(show, t, i), image + rs * static_cast<std::size_t>(i), rs);
    terminate_names(show, t);
    note_table_changed(t);
    return 1;
}

unsigned table_generation(ShowTable t) { return g_generations[static_cast<int>(t)].load(std::memory_order_relaxed); }

int write_table(const ShowData& show, ShowTable t, const std::string& folder) {
    const std::vector<unsigned char> image = table_image(show, t);
    if (!replace_file_durably(show_file_name(folder, t), image.data(), image.size())) return 0;
    note_table_changed(t);
    return 1;
}

int read_all_tables(ShowData& show, const std::string& folder) {
    int failed = 0;
    for (ShowTable t : kShowTables) failed += read_table(show, t, folder) ? 0 : 1;
    return failed;
}

int write_all_tables(const ShowData& show, const std::string& folder) {
    int failed = 0;
    for (ShowTable t : kShowTables) failed += write_table(show, t, folder) ? 0 : 1;
    return failed;
}

std::string with_trailing_separator(const std::string& folder) {
    if (is_separator_at_end(folder)) return folder;
    return folder + kSeparator;
}

int save_show_to_folder(const std::string& data_folder, const std::string& folder, MessageLine* line) {
    if (folder.empty()) return 0;
    return copy_show(data_folder, with_trailing_separator(folder), "データを保存中です... [%s.%s]", line);
}

int load_show_from_folder(const std::string& data_folder, const std::string& folder, MessageLine* line) {
    if (folder.empty()) return 0;
    return copy_show(with_trailing_separator(folder), data_folder, "データを読み込み中です... [%s.%s]", line);
}

}  // namespace prismel
