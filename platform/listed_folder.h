#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quelbrin {

// Which names a file list shows.
using NameFilter = bool (*)(const std::string& name);

// The names a file list shows for a folder: ordinary files (no folders,
// hidden or system files) whose names pass the filter, in the platform's
// order. Throws ErrorInfo when the folder can't be listed.
std::vector<std::string> ListFiles(const FileSystem& files, const std::string& folder, NameFilter keep);

// The folder a file list shows, and whether its entries were read a moment
// ago. The form asks for a Refresh right after each listing; that read would
// only repeat the one just made, so it alone is skipped. A folder's
// last-write time can't decide it: a FAT root has none and FAT keeps only
// 2 s, so a change would go unseen.
class ListedFolder {
public:
    // The folder was just read in full.
    void Listed(const std::string& folder) {
        folder_ = folder;
        fresh_ = true;
    }
    // Empty before the first listing.
    const std::string& Folder() const { return folder_; }
    // Whether a Refresh now has to read the folder: not before any listing,
    // not the first time after a listing, every time after that.
    bool RefreshReads();

private:
    std::string folder_;
    bool fresh_ = false;
};

}  // namespace quelbrin
