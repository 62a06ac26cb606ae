#pragma once
#include <string>

namespace quelbrin {

class MainForm;

constexpr const char* kLocalInstallerName = "InstallHFZ.exe";
// Under HKEY_LOCAL_MACHINE: the machine-wide classes only. Quelbrin runs as
// administrator; HKEY_CLASSES_ROOT would let any program of the user's
// register itself per user and be started elevated.
constexpr const char* kHfzCommandKey = "Software\\Classes\\hfzfile\\shell\\open\\command";
constexpr const char* kNoInstallerMessage =
    "InstallHFZ.exe not found, or Hollywood FX is not installed!";

// The program a registered command names, or empty when none can be taken.
// The documented form, quote path quote blank %1, gives the bare path.
std::string ProgramFromCommand(const std::string& command);

// Sets HfzInstPath from the program's folder or the machine-wide registered
// command, or tells the user that no installer was found.
void ResolveInstallerPath(MainForm& form);

}  // namespace quelbrin
