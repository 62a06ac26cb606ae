#include "main_window/start_place.h"

namespace quelbrin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "D:\" and "\" keep theirs: without it they would name something else.
std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

}  // namespace

StartPlace ChooseStartPlace(const FileSystem& files, const std::optional<std::string>& argument) {
    if (!argument || argument->empty()) return {files.AppPath(), {}};
    const std::string path = WithoutTrailingSeparator(*argument);

    // A pattern finds a first match, but names no one file.
    const std::size_t separator = path.find_last_of("\\/");
    const bool pattern = path.find_first_of("*?") != std::string::npos;
    if (!pattern && separator != std::string::npos) {
        const std::string name = files.Dir(path);
        if (!name.empty()) {
            std::string folder = path.substr(0, separator);
            if (folder.size() == 2 && folder[1] == ':') folder += path[separator];  // "D:\Fire.hfz"
            if (folder.empty()) folder = path.substr(0, 1);                        // "\Fire.hfz"
            return {folder, name};
        }
    }
    return {path, {}};
}

}  // namespace quelbrin
