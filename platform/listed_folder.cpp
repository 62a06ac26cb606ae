#include "platform/listed_folder.h"

#include <algorithm>

namespace quelbrin {

std::vector<std::string> ListFiles(const FileSystem& files, const std::string& folder, NameFilter keep) {
    std::vector<std::string> names;
    for (const DirEntry& e : files.ListFolder(folder)) {
        if (!e.directory && !e.hidden && !e.system && (!keep || keep(e.name))) names.push_back(e.name);
    }
    files.SortNames(names);
    return names;
}

bool ListedFolder::RefreshReads() {
    if (folder_.empty()) return false;
    if (fresh_) {
        fresh_ = false;
        return false;
    }
    return true;
}

}  // namespace quelbrin
