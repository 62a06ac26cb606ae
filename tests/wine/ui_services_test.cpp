// The Ui's services under Wine: message boxes, the folder picker, waiting.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/windows_wrapper.h"

#include <objbase.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "main_window/main_form_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "tests/support/ui_stubs.h"
#include "tests/wine/main_window_fixture.h"
#include "tests/wine/modal_driver.h"

namespace quelbrin::win32 {
namespace {

// What the driver found of a modal window that the code under test opened.
struct Seen {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::vector<std::string> texts;  // of its children
};
Seen g_seen;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    g_seen.texts.push_back(Narrow(text));
    return TRUE;
}

BOOL CALLBACK FindDialogOfThread(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A step inside the modal loop: once the box of this title (nullptr: any
// dialog of this thread) is up, notes what it shows and answers it with OK
// (a box) or Cancel (a dialog).
test::ModalDriver::Step Answer(const wchar_t* boxTitle) {
    return [boxTitle] {
        HWND found = nullptr;
        if (boxTitle) found = FindWindowW(L"#32770", boxTitle);
        else EnumThreadWindows(GetCurrentThreadId(), FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
        if (!found) return false;
        g_seen.window = found;
        g_seen.owner = GetWindow(found, GW_OWNER);
        EnumChildWindows(found, CollectText, 0);
        PostMessageW(found, WM_COMMAND, boxTitle ? IDOK : IDCANCEL, 0);
        return true;
    };
}

class UiServicesTest : public MainWindowFixture<test::FixedFolders> {
protected:
    void SetUp() override {
        g_seen = Seen{};
        MainWindowFixture::SetUp();
    }
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(UiServicesTest, MessageBoxStandsAloneBeforeTheWindowShowsThenBelongsToIt) {
    {
        test::ModalDriver driver({Answer(L"Quelbrin box test")});
        EXPECT_EQ(ui->MsgBox("Nothing found", "Quelbrin box test", msgbox::OkOnly), msgbox::AnswerOk);
    }
    ASSERT_NE(g_seen.window, nullptr);
    EXPECT_EQ(g_seen.owner, nullptr);
    EXPECT_TRUE(Contains(g_seen.texts, "Nothing found"));

    view->Show();
    g_seen = Seen{};
    test::ModalDriver driver({Answer(L"Quelbrin box test")});
    EXPECT_EQ(ui->MsgBox("Error # 5", "Quelbrin box test", msgbox::Critical), msgbox::AnswerOk);
    ASSERT_NE(g_seen.window, nullptr);
    EXPECT_EQ(g_seen.owner, main);
}

TEST_F(UiServicesTest, FolderPickerBelongsToTheWindowShowsTheTitleAndCancelGivesNothing) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    view->Show();
    test::ModalDriver driver({Answer(nullptr)});
    const std::string title = "Please select the folder that contains the .hfz files you wish to install.";
    const std::optional<std::string> chosen = ui->BrowseForFolder(title, kBrowseFlags);
    EXPECT_FALSE(chosen.has_value());
    ASSERT_NE(g_seen.window, nullptr) << "no folder picker came up";
    EXPECT_EQ(g_seen.owner, main);
    EXPECT_TRUE(Contains(g_seen.texts, title));
    EXPECT_EQ(events.Total(), 0);
    if (SUCCEEDED(com)) CoUninitialize();
}

// A handler that fails where no error handler of the program's own is armed.
class FailingEvents : public test::EventRecorder {
public:
    void BtAbout_Click() override { throw ErrorInfo(5, "test", "Access is denied."); }
};

TEST(UiFailures, AFailingHandlerStopsAtTheWindowProcedureAndIsShown) {
    g_seen = Seen{};
    test::FixedFolders files;
    FailingEvents events;
    std::unique_ptr<Ui> ui = MakeUi(files);
    std::unique_ptr<MainWindowView> view = ui->CreateMainWindow(events, layout::kMainWindow);
    const HWND main = dynamic_cast<MainWindow&>(*view).Handle();
    view->Show();
    test::ModalDriver driver({Answer(L"Quelbrin")});
    SendMessageW(GetDlgItem(main, layout::IdBtAbout), BM_CLICK, 0, 0);
    ASSERT_NE(g_seen.window, nullptr) << "no message box";
    EXPECT_TRUE(std::any_of(g_seen.texts.begin(), g_seen.texts.end(),
                            [](const std::string& text) { return text.find("Access is denied.") != std::string::npos; }));
    EXPECT_TRUE(IsWindow(main)) << "the program goes on";
}

// A safety net for a wait that ought to end by itself: when it has not ended
// after a generous time, a message of its own wakes the waiting thread.
// Fired() says whether it had to.
class WakeUpIfStuck {
public:
    static constexpr int kAfterMs = 10000;
    WakeUpIfStuck()
        : waiter_(GetCurrentThreadId()), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), guard_([this] {
              if (WaitForSingleObject(stop_.get(), test::ScaledMs(kAfterMs)) == WAIT_OBJECT_0) return;
              fired_ = true;
              PostThreadMessageW(waiter_, kWakeUp, 0, 0);
          }) {}
    ~WakeUpIfStuck() { Fired(); }
    WakeUpIfStuck(const WakeUpIfStuck&) = delete;
    WakeUpIfStuck& operator=(const WakeUpIfStuck&) = delete;

    bool Fired() {
        if (guard_.joinable()) {
            SetEvent(stop_.get());
            guard_.join();
        }
        MSG wakeUp;
        while (PeekMessageW(&wakeUp, reinterpret_cast<HWND>(-1), kWakeUp, kWakeUp, PM_REMOVE)) {
        }
        return fired_;
    }

private:
    static constexpr UINT kWakeUp = WM_APP + 7;
    DWORD waiter_;
    UniqueKernelHandle stop_;
    std::atomic<bool> fired_{false};
    std::thread guard_;
};

TEST_F(UiServicesTest, WaitForEventsEndsWhenTheProcessEndsOrInputArrivesAndProcessesNothing) {
    // Longer than the safety net: a wait that missed its event ends only through it.
    constexpr int kLongWaitMs = 6 * WakeUpIfStuck::kAfterMs;
    const auto endsByItself = [&](int ms, Process* process) {
        WakeUpIfStuck guard;
        ui->WaitForEvents(ms, process);
        return !guard.Fired();
    };

    // A signalled handle stands for a process that has ended.
    Win32Process ended(UniqueKernelHandle(CreateEventW(nullptr, TRUE, TRUE, nullptr)), 1);
    EXPECT_TRUE(endsByItself(kLongWaitMs, &ended)) << "the ended process did not end the wait";

    // Nothing happens: the time runs out, with nothing queued and the process running.
    Win32Process running(UniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)), 2);
    EXPECT_TRUE(endsByItself(150, &running)) << "the time of the wait did not run out";
    EXPECT_EQ(HIWORD(GetQueueStatus(QS_ALLINPUT)), 0u) << "a message ended the wait";
    EXPECT_EQ(WaitForSingleObject(running.NativeHandle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // Input already queued, and already looked at, still ends the wait.
    PostMessageW(main, WM_CLOSE, 0, 0);
    MSG peeked;
    ASSERT_TRUE(PeekMessageW(&peeked, main, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(endsByItself(kLongWaitMs, &running)) << "queued input did not end the wait";
    EXPECT_TRUE(PeekMessageW(&peeked, main, WM_CLOSE, WM_CLOSE, PM_NOREMOVE)) << "still queued";
    EXPECT_EQ(events.Total(), 0);
    EXPECT_TRUE(endsByItself(kLongWaitMs, nullptr)) << "queued input did not end the wait without a process";
    ui->DoEvents();
    EXPECT_EQ(events.Total(), 1);
}

}  // namespace
}  // namespace quelbrin::win32
