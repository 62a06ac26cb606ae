#include "main_window/mapped_drive.h"

#include "platform/folder_text.h"
#include "settings/registry_reader.h"

namespace quelbrin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char DriveLetter(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || (path.size() > 2 && !IsSeparator(path[2]))) return 0;
    const char c = path[0];
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c >= 'A' && c <= 'Z' ? c : 0;
}

}  // namespace

std::string UserMappedNetworkPath(const FileSystem& files, Registry& registry, const std::string& path) {
    // "N:" alone and "N:\..." only: "N:folder" is relative to a current
    // folder on that drive, which this session does not have either.
    const char letter = DriveLetter(path);
    if (!letter || files.DriveExists(letter)) return {};
    const RegText remote = ReadRegText(registry, reg::CurrentUser, std::string("Network\\") + letter, "RemotePath");
    if (remote.type != reg::Sz && remote.type != reg::ExpandSz) return {};
    std::string mapped = remote.text;
    while (!mapped.empty() && IsSeparator(mapped.back())) mapped.pop_back();
    // Only a network folder: anything else in the value is no mapping to follow.
    if (!IsNetworkPath(mapped) || !IsUsableFolderText(mapped)) return {};
    return mapped + (path.size() > 2 ? path.substr(2) : std::string("\\"));
}

std::string MappedDriveHint(const FileSystem& files, Registry& registry, const std::string& path) {
    const std::string mapped = UserMappedNetworkPath(files, registry, path);
    if (mapped.empty()) return {};
    return std::string("Drive ") + DriveLetter(path) +
           ": is mapped for your user account only, and Quelbrin, running as administrator, does not see it. "
           "Type its network path instead: " + mapped;
}

}  // namespace quelbrin
