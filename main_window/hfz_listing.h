#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quelbrin {

// True for a name that really ends in ".hfz", any letter case.
bool HasHfzExtension(const std::string& name);

// The names the file list shows for a folder: ordinary files ending in
// ".hfz", without hidden or system files, sorted by the platform's order.
// Throws ErrorInfo when the folder can't be listed.
std::vector<std::string> ListHfzFiles(const FileSystem& files, const std::string& folder);

}  // namespace quelbrin
