#pragma once
#include <string>

namespace quelbrin {

class FileSystem;

// The package's full path: the folder text as typed, "\", the file name.
std::string PackagePath(const std::string& folder, const std::string& file);

// "Installing  " + package path: the title of the installer's window.
std::string InstallerWindowTitle(const std::string& folder, const std::string& file);
std::string InstallerWindowTitle(const std::string& packagePath);

// The installer path, quoted when it holds a blank, a blank, the package
// path (never quoted: the installer takes the rest of its command line).
std::string InstallerCommandLine(const std::string& installerPath, const std::string& folder,
                                 const std::string& file);
std::string InstallerCommandLine(const std::string& installerPath, const std::string& packagePath);

// The file to start: the installer path without enclosing quotes.
std::string InstallerProgram(const std::string& installerPath);

// The program to start for the installer path (installer/startable_installer.cpp):
// InstallerProgram's file, or that plus ".exe" when the path has no extension
// and names no file but the path plus ".exe" does. Only a program ending in
// ".exe" or ".com" is started; anything else throws ErrorInfo with the
// reason. An empty path is left for Shell to refuse.
std::string StartableInstaller(const FileSystem& files, const std::string& installerPath);

// Window titles compare as the platform's FindWindow compares them.
bool SameWindowTitle(const std::string& a, const std::string& b);

}  // namespace quelbrin
