#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main_window/main_form.h"

namespace quelbrin {

// Event-pump calls in one pause between keystroke passes.
constexpr int kPausePumpCalls = 10001;
constexpr const char* kAnswerKeys = "{TAB}{ENTER}";
// No key goes out sooner than this after the keys before it (sent or held
// back), or after the installer's window was first found. One pause took
// about this long on the machines the timing was first made on; today the
// pump is so fast that the rest of it is waited out, never spun.
constexpr std::int64_t kKeyFloorMs = 300;

// Starts the installer for the selected file and answers its window until it
// has gone; `activate` is asked before each pass. Throws ErrorInfo.
void RunInstaller(MainForm& form, const std::function<bool()>& activate);

// Whether a key typed now would reach the installer: the focused window
// belongs to the started process, or it or one of its owners carries one
// of the installer's titles.
bool KeysReachInstaller(Desktop& desktop, std::uint32_t installerProcessId,
                        const std::vector<std::string>& titles);

}  // namespace quelbrin
