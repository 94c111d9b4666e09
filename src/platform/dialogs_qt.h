#pragma once
// The standard dialogs on Qt, owned by the main window, and "open with"
// through a detached process.
#include <QString>

#include "platform/dialogs.h"

class QWidget;

namespace prismel {

class QtDialogs : public DialogSeam {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}
    std::optional<std::string> open_file(const FileDialogRequest& request) override;
    std::optional<std::string> open_picture(const FileDialogRequest& request) override;
    std::optional<uint32_t> choose_colour(uint32_t initial) override;
    std::optional<std::string> choose_folder(const std::string& title, const std::string& initial) override;
    bool open_with(const std::string& program, const std::string& argument) override;

private:
    QWidget* owner_;
};

// "description (*.bmp)|*.BMP" as a Qt name filter that matches the pattern
// in either letter case: "description (*.BMP *.bmp)".
QString qt_name_filter(const std::string& cp932_filter);

}  // namespace prismel
