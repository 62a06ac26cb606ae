#pragma once
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace quelbrin {

// Where the program starts: the folder that goes into the folder box, and the
// file to select in it (empty: the first one, as after any listing).
struct StartPlace {
    std::string folder;
    std::string file;
};

// From the program's argument: none (or an empty one) is the program's own
// folder; an ordinary file is its folder with that file; anything else is
// taken as a folder, and one that can't be listed reads "Invalid path" as a
// typed one would. A trailing "\" is dropped unless it ends a drive's root.
StartPlace ChooseStartPlace(const FileSystem& files, const std::optional<std::string>& argument);

}  // namespace quelbrin
