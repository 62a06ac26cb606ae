#pragma once
#include <string>

#include "platform/error_info.h"
#include "platform/platform.h"

namespace quelbrin {

// True while a top-level window with this title exists, or with the title
// as an installer of the ANSI code page shows it. A failing probe is
// reported in a message box and counts as "not running".
bool IsTaskRunning(Platform& platform, const std::string& title);

// Shows an error in a critical message box titled context + " " + procedure.
void ShowProcError(Ui& ui, const ErrorInfo& error, const std::string& context,
                   const std::string& procedure);

// "Error # " + number (a blank before it unless negative) + " was generated
// by " + source + CR LF + description.
std::string ProcErrorMessage(const ErrorInfo& error);

}  // namespace quelbrin
