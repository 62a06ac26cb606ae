#include "main_window/hfz_listing.h"

#include <algorithm>

namespace quelbrin {

bool HasHfzExtension(const std::string& name) {
    constexpr std::string_view ext = ".hfz";
    if (name.size() <= ext.size()) return false;  // ".hfz" alone names no package
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char c = name[name.size() - ext.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[i]) return false;
    }
    return true;
}

std::vector<std::string> ListHfzFiles(const FileSystem& files, const std::string& folder) {
    std::vector<std::string> names;
    for (const DirEntry& e : files.ListFolder(folder)) {
        if (!e.directory && !e.hidden && !e.system && HasHfzExtension(e.name))
            names.push_back(e.name);
    }
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return files.CompareNames(a, b) < 0;
    });
    return names;
}

}  // namespace quelbrin
