#pragma once
#include <string>
#include <string_view>

namespace quelbrin {

// Whether a folder text can name a folder to list, decided from the text
// alone, before anything looks at a disk or the network. Not usable:
// - blanks only: an empty text would list the current drive's root;
// - a pattern ("*", "?" outside the "\\?\" prefix): it would list matches;
// - a NUL: it would cut the text short;
// - a network path without a share yet ("\\", "\\name", "\\name\", either
//   slash, and "\\?\UNC\name"): the folder box lists at each keystroke, and
//   Windows would look the partial server name up on the network, for
//   seconds each time (longer for a sleeping server).
bool IsUsableFolderText(std::string_view text);

// Whether Windows resolves a text over the network: "\\server...",
// "\\?\UNC\server..." or "\\.\UNC\server...", either slash after the first
// two (but "\\?\" only with backslashes, as Windows takes it).
bool IsNetworkPath(std::string_view text);

// The folder of a path to a file: what stands before its last "\" or "/",
// a root ("D:\", "\") keeping its separator, since without it "D:" would
// name the drive's current folder. Empty for a name without a folder.
std::string FolderOfPath(std::string_view path);

}  // namespace quelbrin
