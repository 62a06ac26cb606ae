#pragma once
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "main_window/main_form.h"
#include "tests/fake/fake_platform.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {

// A fake platform with a program folder "C:\Quelbrin" and a form on it.
struct Harness {
    fake::FakePlatform fake;
    std::unique_ptr<MainForm> form;

    Harness() { fake.files.AddFolder(fake.files.appPath); }

    // Creates the form and runs its start-up, with the program's argument if any.
    MainForm& Start(std::optional<std::string> argument = std::nullopt) {
        form = std::make_unique<MainForm>(fake.platform);
        form->Start(std::move(argument));
        return *form;
    }
    fake::FakeMainWindow& Window() { return *fake.ui.window; }
    std::string Status1() { return Window().status1.Text(); }
    std::string Status2() { return Window().status2.Text(); }
    // The command lines started, in order.
    std::vector<std::string> Launched() const {
        std::vector<std::string> lines;
        std::ranges::transform(fake.desktop.launches, std::back_inserter(lines), &fake::Launch::commandLine);
        return lines;
    }
    // The countdowns Status2 showed, in order.
    std::vector<std::string> Countdowns() {
        std::vector<std::string> shown;
        std::ranges::copy_if(Window().status2.history, std::back_inserter(shown),
                             [](auto& t) { return t.find("remaining") != std::string::npos; });
        return shown;
    }
    bool Status1Showed(const std::string& text) { return std::ranges::count(Window().status1.history, text) > 0; }
};

constexpr const char* kInstaller = "C:\\Quelbrin\\InstallHFZ.exe";

// The answer loop as it was designed: 10,001 pump calls in each pause between two passes,
// and no key sooner than 300 ms after the window showed or the keys before.
constexpr long kPumpCallsPerPause = 10001;
constexpr std::int64_t kFloorMs = 300;

// Stated by the folder-text tests of the rule and of the folder box.
inline void NetworkFolderTextCase() {
    quelbrin::test::ReliabilityCase("Folder text", R"~(a network path typed so far without a share: `\\`, `\\se`, `\\se\`, either slash, `\\?\UNC\se`)~",
                                    R"~("Invalid path" at each keystroke and no network lookup (the fake records every one that Windows would make); the real file system refuses them with the invalid-name error before asking Windows; the shared rule's table)~");
}

// A window of another program that must never get a key.
inline int OpenNotepad(fake::FakeDesktop& desktop) {
    return desktop.OpenWindow("Untitled - Notepad", 900, [](const std::string& key) {
        ADD_FAILURE() << "the key " << key << " reached another program";
    });
}

inline std::string Title(const std::string& file) { return "Installing  C:\\Quelbrin\\" + file; }
// The command line that starts the installer for a file of C:\Quelbrin.
inline std::string CommandFor(const std::string& file) { return std::string(kInstaller) + " C:\\Quelbrin\\" + file; }

// A program folder holding the installer and the given packages, started.
struct InstallHarness : Harness {
    explicit InstallHarness(std::vector<std::string> packages) {
        fake.files.files.insert(kInstaller);
        for (const auto& p : packages) fake.files.AddFile("C:\\Quelbrin", p);
        Start();
        Window().taskbar.ButtonCreated();  // the shell's message came long before the user's click
        fake.desktop.sends.clear();
    }
    // Opens the file list's menu on an entry and clicks the command that
    // reads so ("" closes the menu without one); the selection the menu saw.
    std::string ChooseFromMenu(int index, const std::string& command) {
        std::string selectedAtMenu;
        Window().onFileMenu = [this, &selectedAtMenu, command] {
            selectedAtMenu = Window().fileList.FileName();
            const std::vector<std::string>& shown = Window().menusShown.back();
            const auto it = std::find(shown.begin(), shown.end(), command);
            return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
        };
        form->FileList_ContextMenu(index);
        return selectedAtMenu;
    }
    // Passes (SendKeys calls that typed) whose first key landed in a window so titled.
    long SendsTo(const std::string& titlePrefix) const {
        return std::ranges::count_if(fake.desktop.sends,
                                     [&](auto& s) { return s.foregroundTitle.starts_with(titlePrefix); });
    }
};

}  // namespace quelbrin::test
