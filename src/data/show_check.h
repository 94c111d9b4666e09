#pragma once
// Finds what is wrong with a show folder: files missing or of the wrong
// length, and every reference that points outside its table.
#include <string>
#include <vector>

namespace prismel {

struct ShowCheck {
    bool readable = false;               // false: the folder does not exist or cannot be read
    std::string error;                   // why, when not readable
    std::vector<std::string> anomalies;  // one line each, in file order
};

// `folder` with or without its trailing separator.
ShowCheck check_show_folder(const std::string& folder);

}  // namespace prismel
