// The real main window's taskbar button, names and live regions under Wine:
// what Wine has of the shell's and the accessibility services is used, and
// the window works the same where it has none.
#include <gtest/gtest.h>

#include "platform/win32/windows_wrapper.h"

#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main_window/main_form_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/taskbar_progress.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "tests/fake/fake_file_system.h"
#include "tests/support/ui_stubs.h"
#include "tests/wine/main_window_fixture.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/support/window_text.h"

namespace quelbrin::win32 {
namespace {

constexpr DWORD kLiveRegionChanged = 0x8019;

// Live-region events seen by the hook, in order.
std::vector<HWND> g_liveRegionEvents;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (event == kLiveRegionChanged && object == OBJID_CLIENT && child == CHILDID_SELF)
        g_liveRegionEvents.push_back(window);
}

// Made through COM here, or null (Wine has it, or not).
template <typename Made>
Made* Create(const GUID& classId, const GUID& interfaceId) {
    Made* made = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, reinterpret_cast<void**>(&made))))
        return nullptr;
    return made;
}

bool CanCreate(const GUID& classId, const GUID& interfaceId) {
    IUnknown* made = Create<IUnknown>(classId, interfaceId);
    if (made) made->Release();
    return made != nullptr;
}

// Whether the annotation service here stores a name at all: Wine's makes
// the object but answers E_NOTIMPL. Tried on `window`, and taken off again.
bool AnnotationServiceTakesNames(HWND window) {
    const GUID services{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
    const GUID servicesInterface{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
    const GUID name{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
    IAccPropServices* made = Create<IAccPropServices>(services, servicesInterface);
    if (!made) return false;
    const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
    const bool took = SUCCEEDED(made->SetHwndPropStr(window, client, CHILDID_SELF, name, L"probe"));
    if (took) made->ClearHwndProps(window, client, CHILDID_SELF, &name, 1);
    made->Release();
    return took;
}

class TaskbarAndNamesTest : public MainWindowFixture<fake::FakeFileSystem> {
protected:
    void SetUp() override {
        // As the program's start-up does.
        comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        ASSERT_TRUE(comReady);
        files.AddFolder(files.appPath);
        MainWindowFixture::SetUp();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        if (comReady) CoUninitialize();
    }
    // Pumps until `done` holds; 10 s only as a safety net.
    template <typename Done>
    bool PumpUntil(Done done) {
        const ULONGLONG until = GetTickCount64() + 10000;
        while (!done()) {
            if (GetTickCount64() > until) return false;
            ui->WaitForEvents(50, nullptr);
            ui->DoEvents();
        }
        return true;
    }

    bool comReady = false;
};

TEST_F(TaskbarAndNamesTest, StatusLinesRaiseTheLiveRegionEventOnlyWhenTheirTextChanges) {
    g_liveRegionEvents.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, OnWinEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    view->Status2().SetText("Installing selected file...");
    view->Status2().SetText("Installing selected file...");  // no news
    view->TxPath().SetText("C:\\Quelbrin");                  // not a live region
    view->Status1().SetText("a.hfz");  // its event is the last one: all before it have come
    const bool arrived = PumpUntil([&] {
        return !g_liveRegionEvents.empty() && g_liveRegionEvents.back() == Control(layout::IdStatus1);
    });
    UnhookWinEvent(hook);
    ASSERT_TRUE(arrived) << "no live-region event for Status1";
    EXPECT_EQ(g_liveRegionEvents, (std::vector<HWND>{Control(layout::IdStatus2), Control(layout::IdStatus1)}));
    EXPECT_EQ(view->Status2().Text(), "Installing selected file...");
}

TEST_F(TaskbarAndNamesTest, FolderBoxAndFileListCarryTheirNames) {
    if (!AnnotationServiceTakesNames(main))
        GTEST_SKIP() << "the annotation service here (CLSID_AccPropServices) stores no names";
    // They are given once the window has painted.
    view->Show();
    ui->DoEvents();

    // Read back the way a screen reader does, with oleacc.dll loaded by this test only.
    const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    ASSERT_NE(oleacc, nullptr);
    using FromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    const auto fromWindow = reinterpret_cast<FromWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
    ASSERT_NE(fromWindow, nullptr);
    const auto nameOf = [&](int id) -> std::string {
        IAccessible* accessible = nullptr;
        if (FAILED(fromWindow(Control(id), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                              reinterpret_cast<void**>(&accessible))) ||
            !accessible)
            return "(no accessible object)";
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        const HRESULT got = accessible->get_accName(self, &name);
        accessible->Release();
        if (FAILED(got) || !name) return "(no name)";
        const std::string text = Narrow(name);
        SysFreeString(name);
        return text;
    };
    EXPECT_EQ(nameOf(layout::IdTxPath), "Folder with .hfz files");
    EXPECT_EQ(nameOf(layout::IdFileList), "Packages");
    FreeLibrary(oleacc);
}

TEST_F(TaskbarAndNamesTest, TaskbarIsUsedOnlyOnceTheShellHasMadeTheButton) {
    auto& taskbar = dynamic_cast<TaskbarProgress&>(view->Taskbar());
    view->Taskbar().ShowProgress(1, 3);
    EXPECT_FALSE(taskbar.Available()) << "made before the shell said the button exists";

    const UINT buttonCreated = RegisterWindowMessageW(L"TaskbarButtonCreated");
    ASSERT_NE(buttonCreated, 0u);
    SendMessageW(main, buttonCreated, 0, 0);
    const GUID taskbarList{0x56fdf344, 0xfd6d, 0x11d0, {0x95, 0x8a, 0x00, 0x60, 0x97, 0xc9, 0xa0, 0x90}};
    const GUID taskbarList3{0xea1afb91, 0x9e28, 0x4b86, {0x90, 0xe9, 0x9e, 0x9f, 0x8a, 0x5e, 0xef, 0xaf}};
    EXPECT_EQ(taskbar.Available(), CanCreate(taskbarList, taskbarList3));

    // A batch's calls, with or without the interface, leave the title as it was.
    const std::string title = test::TextOf(main);
    TaskbarButton& button = view->Taskbar();
    for (const auto& call : std::vector<std::function<void()>>{[&] { button.ShowProgress(2, 3); },
                                                               [&] { button.ShowPaused(true); },
                                                               [&] { button.ShowError(); },
                                                               [&] { button.ClearProgress(); }}) {
        call();
        EXPECT_EQ(test::TextOf(main), title);
    }
}

TEST_F(TaskbarAndNamesTest, InFrontFollowsTheForegroundWindow) {
    view->Show();
    SetForegroundWindow(main);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
    EXPECT_TRUE(view->Taskbar().InFront());

    test::TestWindow other("Taskbar test: another program");
    SetForegroundWindow(other.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }));
    EXPECT_FALSE(view->Taskbar().InFront());

    SetForegroundWindow(main);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
    EXPECT_TRUE(view->Taskbar().InFront());
}

}  // namespace
}  // namespace quelbrin::win32
