#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main_window/main_form.h"
#include "tests/fake/fake_platform.h"

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
};

constexpr const char* kInstaller = "C:\\Quelbrin\\InstallHFZ.exe";

// A program folder holding the installer and the given packages, started.
struct InstallHarness : Harness {
    explicit InstallHarness(std::vector<std::string> packages) {
        fake.files.files.insert(kInstaller);
        for (const auto& p : packages) fake.files.AddFile("C:\\Quelbrin", p);
        Start();
        Window().taskbar.ButtonCreated();  // the shell's message came long before the user's click
        fake.desktop.sends.clear();
    }
    // Passes (SendKeys calls that typed) whose first key landed in a window so titled.
    int SendsTo(const std::string& titlePrefix) const {
        int n = 0;
        for (const auto& s : fake.desktop.sends)
            if (s.foregroundTitle.rfind(titlePrefix, 0) == 0) ++n;
        return n;
    }
};

inline std::string Title(const std::string& file) { return "Installing  C:\\Quelbrin\\" + file; }

}  // namespace quelbrin::test
