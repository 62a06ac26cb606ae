#pragma once
#include <functional>

#include "main_window/main_form.h"

namespace quelbrin {

// Event-pump calls in one pause between keystroke passes.
constexpr int kPausePumpCalls = 10001;
constexpr const char* kAnswerKeys = "{TAB}{ENTER}";

// Starts the installer for the selected file and answers its window until it
// has gone; `activate` is asked before each pass. Throws ErrorInfo.
void RunInstaller(MainForm& form, const std::function<bool()>& activate);

// Whether keys typed now would reach the installer: the focused window
// belongs to the started process or carries the installer's title.
bool KeysReachInstaller(Desktop& desktop, std::uint32_t installerProcessId,
                        const std::string& title);

}  // namespace quelbrin
