#pragma once
#include <memory>

#include "main_window/main_form.h"
#include "tests/fake/fake_platform.h"

namespace quelbrin::test {

// A fake platform with a program folder "C:\Quelbrin" and a form on it.
struct Harness {
    fake::FakePlatform fake;
    std::unique_ptr<MainForm> form;

    Harness() { fake.files.AddFolder(fake.files.appPath); }

    // Creates the form and runs its start-up.
    MainForm& Start() {
        form = std::make_unique<MainForm>(fake.platform);
        form->Start();
        return *form;
    }
    fake::FakeMainWindow& Window() { return *fake.ui.window; }
    std::string Status1() { return Window().status1.Text(); }
    std::string Status2() { return Window().status2.Text(); }
};

}  // namespace quelbrin::test
