#pragma once
// The real main window for the tests of the Windows layer, made as the
// program makes it, its events counted, over the file system the test gives.
#include <gtest/gtest.h>

#include <memory>

#include "main_window/main_form_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/ui_stubs.h"

namespace quelbrin::win32 {

template <typename Files>
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ui = MakeUi(files);
        view = ui->CreateMainWindow(events, layout::kMainWindow);
        auto* window = dynamic_cast<MainWindow*>(view.get());
        ASSERT_NE(window, nullptr);
        main = window->Handle();
        ASSERT_TRUE(IsWindow(main));
    }
    // The window goes, and what its going posted is handled.
    void TearDown() override {
        view.reset();
        if (ui) ui->DoEvents();
    }
    HWND Control(int id) const { return GetDlgItem(main, id); }

    Files files;
    test::EventRecorder events;
    std::unique_ptr<Ui> ui;
    std::unique_ptr<MainWindowView> view;
    HWND main = nullptr;
};

}  // namespace quelbrin::win32
