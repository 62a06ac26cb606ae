#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quelbrin::fake {

// Folders and files in memory. Paths are compared as typed.
class FakeFileSystem : public FileSystem {
public:
    std::string AppPath() const override { return appPath; }
    std::string Dir(const std::string& path) const override;
    std::vector<DirEntry> ListFolder(const std::string& folder) const override;
    // Letter case ignored (ASCII), then the plain byte order.
    int CompareNames(const std::string& a, const std::string& b) const override;

    void AddFolder(const std::string& folder) { folders[folder]; }
    void AddFile(const std::string& folder, const std::string& name, bool hidden = false,
                 bool system = false);
    void AddSubfolder(const std::string& folder, const std::string& name);
    // Ordinary files that Dir() finds, by full path.
    std::set<std::string> files;

    std::string appPath = "C:\\Quelbrin";
    std::map<std::string, std::vector<DirEntry>> folders;
    mutable int listings = 0;
};

}  // namespace quelbrin::fake
