// Installer path, folder text and file name are typed or listed by users:
// the command line and the window title must always carry them unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/installer_contract.h"

namespace {
std::string Take(std::string& rest) {
    const std::size_t cut = rest.find('\n');
    std::string part = rest.substr(0, cut);
    rest = cut == std::string::npos ? "" : rest.substr(cut + 1);
    return part;
}
bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quelbrin;
    std::string rest(reinterpret_cast<const char*>(data), size);
    const std::string installer = Take(rest);
    const std::string folder = Take(rest);
    const std::string file = rest;

    const std::string package = folder + "\\" + file;
    const std::string line = InstallerCommandLine(installer, folder, file);
    if (!EndsWith(line, " " + package)) std::abort();
    if (InstallerWindowTitle(folder, file) != "Installing  " + package) std::abort();

    const std::string program = InstallerProgram(installer);
    if (installer.find(program) == std::string::npos) std::abort();
    // The program part of the line is the installer path, quoted when it has blanks.
    const std::string head = line.substr(0, line.size() - package.size() - 1);
    if (head != installer && head != "\"" + installer + "\"") std::abort();
    if (head == installer && installer.find_first_of(" \t") != std::string::npos &&
        !(installer.size() >= 2 && installer.front() == '"' && installer.back() == '"'))
        std::abort();
    if (!SameWindowTitle(line, line)) std::abort();
    return 0;
}
