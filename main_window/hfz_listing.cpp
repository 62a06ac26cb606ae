#include "main_window/hfz_listing.h"

#include "platform/listed_folder.h"

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
    return ListFiles(files, folder, HasHfzExtension);
}

}  // namespace quelbrin
