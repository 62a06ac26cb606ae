#include <memory>

#include "platform/win32/clipboard.h"
#include "platform/win32/folder_picker.h"
#include "platform/win32/main_window.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/settings_dialog.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/window_classes.h"

namespace quelbrin::win32 {

namespace {

class Win32Ui final : public Ui {
public:
    explicit Win32Ui(const FileSystem& files) : files_(files) {}

    std::unique_ptr<MainWindowView> CreateMainWindow(MainFormEvents& events,
                                                     const layout::MainWindowDesign& design) override {
        auto window = std::make_unique<MainWindow>(events, files_, design);
        mainWindow_ = window->Handle();
        appTitle_ = design.title;
        return window;
    }

    void ShowDialog(DialogEvents& events, const layout::DialogDesign& design) override {
        ShowSettingsDialog(MainWindowHandle(), events, design);
    }

    void DoEvents() override { ProcessPendingMessages(); }

    void WaitForEvents(int milliseconds, Process* process) override {
        HANDLE handles[1];
        DWORD count = 0;
        if (auto* started = dynamic_cast<Win32Process*>(process)) handles[count++] = started->NativeHandle();
        // MWMO_INPUTAVAILABLE: input that is already queued also wakes us.
        MsgWaitForMultipleObjectsEx(count, count ? handles : nullptr,
                                    milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0,
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }

    int MsgBox(const std::string& text, const std::string& title, int style) override {
        // Before the main window shows (start-up) the box stands on its own.
        const HWND main = MainWindowHandle();
        const HWND owner = main && IsWindowVisible(main) ? main : nullptr;
        const std::string caption = title.empty() ? appTitle_ : title;
        return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
                           static_cast<UINT>(style));
    }

    std::optional<std::string> BrowseForFolder(const std::string& title, unsigned flags) override {
        return PickFolder(MainWindowHandle(), title, flags);
    }

    void SetClipboardText(const std::string& text) override { PutTextOnClipboard(MainWindowHandle(), text); }

    // Installers already started keep running: they are not our children
    // in any sense Windows would end.
    [[noreturn]] void EndProgram() override { ExitProcess(0); }

private:
    // The main window while it exists.
    HWND MainWindowHandle() const {
        wchar_t name[64];
        if (!mainWindow_ || !IsWindow(mainWindow_) || !GetClassNameW(mainWindow_, name, 64) ||
            lstrcmpiW(name, kMainWindowClass) != 0)
            return nullptr;
        return mainWindow_;
    }

    const FileSystem& files_;
    HWND mainWindow_ = nullptr;
    std::string appTitle_;
};

}  // namespace

std::unique_ptr<Ui> MakeUi(const FileSystem& files) { return std::make_unique<Win32Ui>(files); }

}  // namespace quelbrin::win32
