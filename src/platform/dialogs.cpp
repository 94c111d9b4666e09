#include "platform/dialogs.h"

namespace prismel {
namespace {

class NoDialogs : public DialogSeam {
public:
    std::optional<std::string> open_file(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> open_picture(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<uint32_t> choose_colour(uint32_t) override { return std::nullopt; }
    std::optional<std::string> choose_folder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool open_with(const std::string&, const std::string&) override { return false; }
};

DialogSeam* g_installed = nullptr;

}  // namespace

DialogSeam& dialogs() {
    static NoDialogs none;
    return g_installed ? *g_installed : none;
}

void set_dialogs(DialogSeam* seam) { g_installed = seam; }

}  // namespace prismel
