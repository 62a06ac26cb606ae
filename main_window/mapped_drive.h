#pragma once
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace quelbrin {

// Quelbrin runs as administrator, and with UAC that session has none of the
// drive letters the user mapped to network folders. For a path on a drive
// letter that this session lacks and that the user's lasting mapping names
// (HKEY_CURRENT_USER\Network\LETTER, value RemotePath): the same path
// through the mapping's network folder. Empty for any other path.
std::string UserMappedNetworkPath(const FileSystem& files, Registry& registry, const std::string& path);

// What the status line's tooltip says of a folder text that could not be
// listed: that its drive is mapped for the user only, and the network path to
// type instead. Empty when the text is not on such a drive.
std::string MappedDriveHint(const FileSystem& files, Registry& registry, const std::string& path);

}  // namespace quelbrin
