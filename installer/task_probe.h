#pragma once
#include <string>
#include <vector>

#include "platform/error_info.h"
#include "platform/platform.h"

namespace quelbrin {

// The installer's window title, and the same title as an installer that
// reads its command line through the ANSI code page shows it. A name with
// letters that code page lacks gets "?" there, which the exact title never
// finds.
struct InstallerTitles {
    std::string exact;
    std::string ansi;

    static InstallerTitles Of(Desktop& desktop, std::string exact);
    bool HasAnsiForm() const { return ansi != exact; }
    std::vector<std::string> All() const {
        return HasAnsiForm() ? std::vector<std::string>{exact, ansi} : std::vector<std::string>{exact};
    }
};

// A top-level window with one of the titles exists. Throws ErrorInfo when
// the probe fails.
bool WindowShows(Desktop& desktop, const InstallerTitles& titles);

// As WindowShows; a failing probe is reported in a message box and counts
// as "not running".
bool IsTaskRunning(Platform& platform, const InstallerTitles& titles);
bool IsTaskRunning(Platform& platform, const std::string& title);

// Shows an error in a critical message box titled context + " " + procedure.
void ShowProcError(Ui& ui, const ErrorInfo& error, const std::string& context,
                   const std::string& procedure);

// "Error # " + number (a blank before it unless negative) + " was generated
// by " + source + CR LF + description.
std::string ProcErrorMessage(const ErrorInfo& error);

}  // namespace quelbrin
