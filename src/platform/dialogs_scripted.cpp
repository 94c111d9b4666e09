#include "platform/dialogs_scripted.h"

namespace prismel {
namespace {

template <typename T>
std::optional<T> next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> a = queue.front();
    queue.pop_front();
    return a;
}

}  // namespace

std::optional<std::string> ScriptedDialogSeam::open_file(const FileDialogRequest& r) {
    requests.push_back({Kind::kFile, r, 0});
    return next(files);
}

std::optional<std::string> ScriptedDialogSeam::open_picture(const FileDialogRequest& r) {
    requests.push_back({Kind::kPicture, r, 0});
    return next(pictures);
}

std::optional<uint32_t> ScriptedDialogSeam::choose_colour(uint32_t initial) {
    requests.push_back({Kind::kColour, {}, initial});
    return next(colours);
}

std::optional<std::string> ScriptedDialogSeam::choose_folder(const std::string& title, const std::string& initial) {
    FileDialogRequest r;
    r.title = title;
    r.folder = initial;
    requests.push_back({Kind::kFolder, r, 0});
    return next(folders);
}

bool ScriptedDialogSeam::open_with(const std::string& program, const std::string& argument) {
    started.push_back({program, argument});
    return starts;
}

}  // namespace prismel
