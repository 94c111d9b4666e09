#pragma once
// Finds what is wrong with a show folder: files missing or of the wrong
// length, and every reference that points outside its table; and, as
// warnings, what a show may hold on purpose but an operator should know
// (fixtures that share DMX channels).
#include <string>
#include <vector>

namespace prismel {

struct ShowCheck {
    bool readable = false;               // false: the folder does not exist or cannot be read
    std::string error;                   // why, when not readable
    std::vector<std::string> anomalies;  // one line each, in file order
    std::vector<std::string> warnings;   // the same, for what is allowed
};

// `folder` with or without its trailing separator.
ShowCheck check_show_folder(const std::string& folder);

}  // namespace prismel
