#include "tests/fake/fake_file_system.h"

#include <algorithm>
#include <cctype>

#include "platform/error_info.h"
#include "platform/folder_text.h"  // IsNetworkPath: what Windows resolves over the network

namespace quelbrin::fake {

namespace {
int FoldCase(char c) { return std::tolower(static_cast<unsigned char>(c)); }
// Windows takes "/" for "\" in a path.
std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
}  // namespace

bool PathLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

// What Windows makes of a path: any network path goes out to the network,
// found or not; blanks alone name the current folder (it drops trailing
// blanks); a pattern in a folder's name is an invalid name.
std::string FakeFileSystem::LookUp(const std::string& path) const {
    if (IsNetworkPath(path)) networkLookups.push_back(path);
    if (path.find_first_not_of(' ') == std::string::npos) return currentFolder;
    const std::size_t verbatim = path.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
    if (path.find_first_of("*?", verbatim) != std::string::npos)
        throw ErrorInfo(123, "FindFirstFileExW", "The filename, directory name, or volume label syntax is incorrect.");
    return Backslashed(path);
}

std::string FakeFileSystem::Dir(const std::string& path) const {
    if (path.find_first_of("*?") != std::string::npos) return {};  // no file of the fake matches a pattern
    const auto it = files.find(LookUp(path));
    if (it == files.end()) return {};
    const std::size_t slash = it->find_last_of('\\');  // the name as stored
    return slash == std::string::npos ? *it : it->substr(slash + 1);
}

std::vector<DirEntry> FakeFileSystem::ListFolder(const std::string& folder) const {
    ++listings;
    auto it = folders.find(LookUp(folder));
    if (it != folders.end()) return it->second;
    if (IsNetworkPath(folder)) throw ErrorInfo(53, "GetFileAttributesW", "The network path was not found.");
    throw ErrorInfo(3, "FindFirstFileExW", "The system cannot find the path specified.");
}

bool FakeFileSystem::DriveExists(char letter) const {
    const auto on = [letter](const std::string& p) { return p.size() > 1 && p[1] == ':' && FoldCase(p[0]) == FoldCase(letter); };
    return on(appPath) || std::any_of(files.begin(), files.end(), on) ||
           std::any_of(folders.begin(), folders.end(), [&](const auto& folder) { return on(folder.first); });
}

void FakeFileSystem::SortNames(std::vector<std::string>& names) const {
    std::stable_sort(names.begin(), names.end(),
                     [this](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
}

int FakeFileSystem::CompareNames(const std::string& a, const std::string& b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return FoldCase(a[i]) < FoldCase(b[i]) ? -1 : 1;
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void FakeFileSystem::AddFile(const std::string& folder, const std::string& name, bool hidden, bool system) {
    folders[folder].push_back(DirEntry{name, false, hidden, system});
    if (!hidden && !system) files.insert(folder.ends_with('\\') ? folder + name : folder + "\\" + name);
}

void FakeFileSystem::AddSubfolder(const std::string& folder, const std::string& name) {
    folders[folder].push_back(DirEntry{name, true, false, false});
}

}  // namespace quelbrin::fake
