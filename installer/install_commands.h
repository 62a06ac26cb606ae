#pragma once
#include <string>

#include "main_window/main_form.h"

namespace quelbrin {

// "Install Selected File" (also a double-click on a name).
void InstallSelectedFile(MainForm& form);

// "Install All Files": every listed file in list order, after a warning.
void InstallAllFiles(MainForm& form);

// (count - 1 - index) + " .hfz files remaining of " + count + " total".
std::string CountdownText(int index, int count);

}  // namespace quelbrin
