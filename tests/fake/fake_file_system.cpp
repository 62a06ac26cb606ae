#include "tests/fake/fake_file_system.h"

#include <cctype>

#include "platform/error_info.h"

namespace quelbrin::fake {

std::string FakeFileSystem::Dir(const std::string& path) const {
    if (!files.count(path)) return {};
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<DirEntry> FakeFileSystem::ListFolder(const std::string& folder) const {
    ++listings;
    auto it = folders.find(folder);
    if (it == folders.end())
        throw ErrorInfo(3, "FindFirstFileExW", "The system cannot find the path specified.");
    return it->second;
}

int FakeFileSystem::CompareNames(const std::string& a, const std::string& b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void FakeFileSystem::AddFile(const std::string& folder, const std::string& name, bool hidden,
                             bool system) {
    folders[folder].push_back(DirEntry{name, false, hidden, system});
    if (!hidden && !system) files.insert(folder + "\\" + name);
}

void FakeFileSystem::AddSubfolder(const std::string& folder, const std::string& name) {
    folders[folder].push_back(DirEntry{name, true, false, false});
}

}  // namespace quelbrin::fake
