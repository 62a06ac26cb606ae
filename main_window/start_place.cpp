#include "main_window/start_place.h"

#include "platform/folder_text.h"

namespace quelbrin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

StartPlace ChooseStartPlace(const FileSystem& files, const std::optional<std::string>& argument) {
    if (!argument || argument->empty()) return {files.AppPath(), {}};
    std::string path = *argument;
    // "D:\" and "\" keep theirs: without it they would name something else.
    while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();

    // A pattern finds a first match, but names no one file.
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos || path.find_first_of("*?") != std::string::npos) return {path, {}};
    std::string name = files.Dir(path);
    if (name.empty()) return {path, {}};
    return {FolderOfPath(path), std::move(name)};
}

}  // namespace quelbrin
