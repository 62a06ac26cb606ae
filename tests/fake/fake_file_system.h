#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace quelbrin::fake {

// Orders paths as Windows finds them: letter case ignored (ASCII).
struct PathLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// Folders and files in memory. Paths are compared without letter case; what
// Windows would look up on the network is recorded.
class FakeFileSystem : public FileSystem {
public:
    std::string AppPath() const override { return appPath; }
    std::string Dir(const std::string& path) const override;
    // The drives that some folder or file here is on, and the program's.
    bool DriveExists(char letter) const override;
    std::vector<DirEntry> ListFolder(const std::string& folder) const override;
    // Letter case ignored (ASCII), then the plain byte order.
    int CompareNames(const std::string& a, const std::string& b) const override;
    void SortNames(std::vector<std::string>& names) const override;
    std::string ShortPath(const std::string& path) const override {
        const auto it = shortPaths.find(path);
        return it == shortPaths.end() ? std::string() : it->second;
    }

    void AddFolder(const std::string& folder) { folders[folder]; }
    void AddFile(const std::string& folder, const std::string& name, bool hidden = false,
                 bool system = false);
    void AddSubfolder(const std::string& folder, const std::string& name);
    // Ordinary files that Dir() finds, by full path.
    std::set<std::string, PathLess> files;

    std::string appPath = "C:\\Quelbrin";
    // Short (8.3) forms by long path; a path without one is on a volume that keeps none.
    std::map<std::string, std::string, PathLess> shortPaths;
    std::map<std::string, std::vector<DirEntry>, PathLess> folders;
    mutable int listings = 0;
    // Every path that Windows would have resolved over the network, in order:
    // each one can keep the caller waiting for seconds.
    mutable std::vector<std::string> networkLookups;

    std::string currentFolder = "C:\\Quelbrin";

private:
    // The path Windows looks up for this text; records a network lookup.
    std::string LookUp(const std::string& path) const;
};

}  // namespace quelbrin::fake
