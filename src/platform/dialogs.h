#pragma once
// The platform's standard dialogs and the shell's "open with": the file,
// picture, colour and folder dialogs of the pop-up menus and the data folder
// screen, and the editor started on a freshly written report. The window
// system's implementation is installed at start-up (dialogs_qt.h); tests
// install a scripted one (dialogs_scripted.h).
#include <cstdint>
#include <optional>
#include <string>

namespace prismel {

// What a file dialog starts with; set in full by every command that opens one.
struct FileDialogRequest {
    std::string title;              // CP932
    std::string folder;             // initial folder (the platform's path bytes)
    std::string file_name;          // initial file name, without folder
    std::string filter;             // CP932, "description|pattern"
    std::string default_extension;  // appended to a name typed without one
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    // A file to open or to create (a new name can be typed, nothing asks
    // before an existing file is overwritten): its path, or none when cancelled.
    virtual std::optional<std::string> open_file(const FileDialogRequest& request) = 0;
    // A picture file, the dialog showing a preview of the file under the cursor.
    virtual std::optional<std::string> open_picture(const FileDialogRequest& request) = 0;
    // A colour (0x00BBGGRR), starting from initial.
    virtual std::optional<uint32_t> choose_colour(uint32_t initial) = 0;
    // A file-system folder, the initial one preselected; title is CP932.
    virtual std::optional<std::string> choose_folder(const std::string& title, const std::string& initial) = 0;
    // Starts program with the one argument and does not wait for it: false
    // when it could not be started.
    virtual bool open_with(const std::string& program, const std::string& argument) = 0;
};

// The installed dialogs; while none is installed every dialog is cancelled
// and nothing is started.
DialogSeam& dialogs();
void set_dialogs(DialogSeam* seam);  // nullptr uninstalls

}  // namespace prismel
