#include "screens/Usrfunc.h"

#include <cstring>

#include "data/show_files.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace prismel {

std::vector<SaveFolder> scan_save_folders(const std::string& location) {
    FileSystem& fs = file_system();
    std::vector<SaveFolder> found;
    for (const std::string& name : fs.sub_folders(location)) {
        SaveFolder f;
        f.name = name;
        f.label = cp932_name_of(name);
        std::string date;
        if (fs.modified_text(show_file_name(with_trailing_separator(location + name), ShowTable::kScenes), date))
            f.date = date;
        found.push_back(std::move(f));
    }
    return found;
}

std::string default_data_location(const std::string& program_folder) {
    return with_trailing_separator(program_folder + "DATA");
}

bool is_safe_folder_name(const std::string& cp932) {
    if (cp932.empty() || cp932 == "." || cp932 == "..") return false;
    static const char refused[] = "/\\:*?\"<>|";
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (is_sjis_lead(b) && i + 1 < cp932.size()) {
            ++i;  // its trail byte may be 0x5C ("表", "ソ", "能") and is no separator
            continue;
        }
        if (b < 0x20 || b == 0x7F || std::strchr(refused, b) != nullptr) return false;
    }
    return true;
}

bool create_save_folder(const std::string& location, const std::string& cp932_name) {
    if (!is_safe_folder_name(cp932_name)) return false;
    return file_system().make_folder(location + native_name_of(cp932_name));
}

bool delete_save_folder(const std::string& folder) {
    FileSystem& fs = file_system();
    const std::string inside = with_trailing_separator(folder);
    for (const std::string& name : fs.other_entries(folder)) fs.remove_file(inside + name);
    return fs.remove_folder(folder);
}

}  // namespace prismel
