#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/noncopyable.h"

namespace quelbrin {

struct DirEntry {
    std::string name;
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

class FileSystem : public Interface {
public:
    // Folder of the running program, no trailing "\" unless a drive's root.
    virtual std::string AppPath() const = 0;
    // Name of the ordinary (not hidden, not system) file at a path, or empty.
    virtual std::string Dir(const std::string& path) const = 0;
    // Whether this session has the drive letter ('A' to 'Z'). A program run
    // as administrator lacks the letters its user mapped.
    virtual bool DriveExists(char letter) const = 0;
    // Every entry of a folder. Throws ErrorInfo when it can't be listed.
    virtual std::vector<DirEntry> ListFolder(const std::string& folder) const = 0;
    // The order of the file list: letter case ignored, by the user's locale.
    virtual int CompareNames(const std::string& a, const std::string& b) const = 0;
    // Puts names in CompareNames' order, without converting both names on
    // every comparison.
    virtual void SortNames(std::vector<std::string>& names) const = 0;
    // The short (8.3) form of an existing file's path; empty where the
    // volume keeps no short names.
    virtual std::string ShortPath(const std::string& path) const = 0;
};

}  // namespace quelbrin
