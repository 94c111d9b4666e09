#pragma once
// Dialogs for tests: each dialog takes the next answer of its own queue
// (cancelled when the queue is empty) and every request is recorded.
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace prismel {

class ScriptedDialogSeam : public DialogSeam {
public:
    enum class Kind { kFile, kPicture, kColour, kFolder };
    struct Request {
        Kind kind;
        FileDialogRequest file;  // title and folder also for the folder browser
        uint32_t colour = 0;
    };
    struct Started {
        std::string program, argument;
    };

    std::deque<std::optional<std::string>> files, pictures, folders;
    std::deque<std::optional<uint32_t>> colours;
    std::vector<Request> requests;
    std::vector<Started> started;

    std::optional<std::string> open_file(const FileDialogRequest& r) override;
    std::optional<std::string> open_picture(const FileDialogRequest& r) override;
    std::optional<uint32_t> choose_colour(uint32_t initial) override;
    std::optional<std::string> choose_folder(const std::string& title, const std::string& initial) override;
    bool open_with(const std::string& program, const std::string& argument) override;
    bool starts = true;  // what open_with answers
};

class ScopedDialogs {
public:
    explicit ScopedDialogs(DialogSeam& seam) { set_dialogs(&seam); }
    ~ScopedDialogs() { set_dialogs(nullptr); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;
};

}  // namespace prismel
