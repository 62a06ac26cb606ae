#include "platform/folder_text.h"

namespace quelbrin {

namespace {

constexpr std::string_view kVerbatimPrefix = "\\\\?\\";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsWithTwoSeparators(std::string_view text) {
    return text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]);
}

// "\\?\..." or "\\.\...": what follows names a device or a drive, not a
// server. The length of that prefix, or npos when there is none.
std::size_t DevicePrefixLength(std::string_view text) {
    if (text.substr(0, kVerbatimPrefix.size()) == kVerbatimPrefix) return kVerbatimPrefix.size();
    if (StartsWithTwoSeparators(text) && text.size() >= 3 && text[2] == '.') {
        if (text.size() == 3) return 3;
        if (IsSeparator(text[3])) return 4;
    }
    return std::string_view::npos;
}

bool IsUncDevice(std::string_view rest) {
    if (rest.size() < 3) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = static_cast<char>(rest[i] & ~0x20);  // ASCII upper case
        if (c != "UNC"[i]) return false;
    }
    return rest.size() == 3 || IsSeparator(rest[3]);
}

// The part of a network path after "\\" or "\\?\UNC\": "server\share...",
// or npos when the text is no network path.
std::size_t ServerStart(std::string_view text) {
    const std::size_t device = DevicePrefixLength(text);
    if (device != std::string_view::npos)
        return IsUncDevice(text.substr(device)) ? device + 3 : std::string_view::npos;
    return StartsWithTwoSeparators(text) ? 2 : std::string_view::npos;
}

// A share is there once a name, a separator and then anything but
// separators follow: "server\s". Server and share are only looked up then.
bool HasShare(std::string_view serverAndShare) {
    std::size_t i = serverAndShare.find_first_not_of("\\/");
    if (i == std::string_view::npos) return false;
    i = serverAndShare.find_first_of("\\/", i);
    if (i == std::string_view::npos) return false;
    return serverAndShare.find_first_not_of("\\/", i) != std::string_view::npos;
}

}  // namespace

bool IsNetworkPath(std::string_view text) { return ServerStart(text) != std::string_view::npos; }

bool IsUsableFolderText(std::string_view text) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) return false;
    std::string_view rest = text;
    if (rest.substr(0, kVerbatimPrefix.size()) == kVerbatimPrefix) rest.remove_prefix(kVerbatimPrefix.size());
    if (rest.find_first_of(std::string_view("*?\0", 3)) != std::string_view::npos) return false;
    const std::size_t server = ServerStart(text);
    return server == std::string_view::npos || HasShare(text.substr(server));
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return {};
    const bool root = separator == 0 || (separator == 2 && path[1] == ':');
    return std::string(path.substr(0, root ? separator + 1 : separator));
}

}  // namespace quelbrin
