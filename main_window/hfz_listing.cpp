#include "main_window/hfz_listing.h"

#include "platform/ascii_case.h"
#include "platform/listed_folder.h"

namespace quelbrin {

bool HasHfzExtension(const std::string& name) {
    constexpr std::string_view ext = ".hfz";
    return name.size() > ext.size() && EndsWithIgnoringCase(name, ext);  // ".hfz" alone names no package
}

std::vector<std::string> ListHfzFiles(const FileSystem& files, const std::string& folder) {
    return ListFiles(files, folder, HasHfzExtension);
}

}  // namespace quelbrin
