#pragma once
#include <string>

#include "main_window/main_form.h"

namespace quelbrin {

// "Install Selected File" (also a double-click on a name).
void InstallSelectedFile(MainForm& form);

// "Install All Files": every listed file in list order, after a warning.
void InstallAllFiles(MainForm& form);

// The batch from the file at `first` to the last one, in list order, after
// the same warning; "Install All Files" is the batch from 0.
void InstallFilesFrom(MainForm& form, int first);

// The countdown at the run's `index`-th file (from 0) of `count` files in the
// run: (count - 1 - index) + " .hfz files remaining of " + count + " total".
std::string CountdownText(int index, int count);

}  // namespace quelbrin
