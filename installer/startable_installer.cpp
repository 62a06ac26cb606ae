// Which installer path Quelbrin starts. It runs as administrator, and
// CreateProcessW hands a ".bat" or ".cmd" file to cmd.exe, which acts on "&",
// "|" and "%" in the package's name on the command line: only real programs
// are started.
#include <cstdint>

#include "installer/installer_contract.h"
#include "main_window/main_form_layout.h"
#include "platform/ascii_case.h"
#include "platform/error_info.h"
#include "platform/file_system.h"

namespace quelbrin {

namespace {

constexpr std::int32_t kErrorNotAProgram = 193;  // the platform's "not a valid application"

// The last component holds no ".": the old way of starting the installer
// found "C:\HFX\InstallHFZ" as "C:\HFX\InstallHFZ.exe".
bool HasNoExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.find('.', start) == std::string::npos;
}

bool HasWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

}  // namespace

std::string StartableInstaller(const FileSystem& files, const std::string& installerPath) {
    std::string program = InstallerProgram(installerPath);
    if (program.empty()) return program;
    if (HasNoExtension(program) && !HasWildcard(program) && files.Dir(program).empty() &&
        !files.Dir(program + ".exe").empty())
        program += ".exe";
    // Nothing after the extension: Windows also takes "x.bat." and "x.cmd " for batch files.
    if (!EndsWithIgnoringCase(program, ".exe") && !EndsWithIgnoringCase(program, ".com"))
        throw ErrorInfo(kErrorNotAProgram, layout::kAppTitle,
                        "the installer \"" + program +
                            "\" was not started: only .exe and .com programs are started");
    return program;
}

}  // namespace quelbrin
