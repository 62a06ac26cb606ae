#include "installer/installer_contract.h"

namespace quelbrin {

namespace {
bool IsQuoted(const std::string& s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string PackagePath(const std::string& folder, const std::string& file) {
    return folder + "\\" + file;
}

std::string InstallerWindowTitle(const std::string& folder, const std::string& file) {
    return InstallerWindowTitle(PackagePath(folder, file));
}

std::string InstallerWindowTitle(const std::string& packagePath) { return "Installing  " + packagePath; }

std::string InstallerCommandLine(const std::string& installerPath, const std::string& folder,
                                 const std::string& file) {
    return InstallerCommandLine(installerPath, PackagePath(folder, file));
}

std::string InstallerCommandLine(const std::string& installerPath, const std::string& packagePath) {
    const bool needsQuotes = !IsQuoted(installerPath) &&
                             installerPath.find_first_of(" \t") != std::string::npos;
    std::string program = needsQuotes ? "\"" + installerPath + "\"" : installerPath;
    return program + " " + packagePath;
}

std::string InstallerProgram(const std::string& installerPath) {
    return IsQuoted(installerPath) ? installerPath.substr(1, installerPath.size() - 2)
                                   : installerPath;
}

bool SameWindowTitle(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace quelbrin
