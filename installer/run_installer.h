#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "installer/run_report.h"
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
// An installer that ends before its window shows may have been a launcher
// for the real one: the window gets this long to show after it has ended.
constexpr std::int64_t kLauncherGraceMs = 10000;
// The installer's window is not brought in front of a user whose own last
// key or mouse input is younger than this: their keys would land in it.
constexpr std::int64_t kUserQuietMs = 2000;

// Starts the installer for the selected file and answers its window until it
// has gone; `activate` is asked before each pass. `run` gets the installer,
// its rounds and whether its window showed, also when it throws ErrorInfo.
void RunInstaller(MainForm& form, const std::function<bool()>& activate, InstallerRun& run);

// The package path as the installer gets it: as typed, or, where an
// installer of the ANSI code page would get "?" for some of its letters,
// its short form, where the volume has one.
std::string PassedPackagePath(Platform& platform, const std::string& folder, const std::string& file);

// Whether a key typed now would reach the installer: the focused window
// belongs to the started process, or it or one of its owners carries one
// of the installer's titles.
bool KeysReachInstaller(Desktop& desktop, std::uint32_t installerProcessId,
                        const std::vector<std::string>& titles);

}  // namespace quelbrin
