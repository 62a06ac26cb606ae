#include "installer/run_installer.h"

#include "installer/installer_contract.h"
#include "installer/task_probe.h"

namespace quelbrin {

namespace {

// How long to sleep between looks while the installer's window is not up.
constexpr int kStartupWaitMs = 50;

std::string CurrentTitle(MainForm& form) {
    return InstallerWindowTitle(form.View().TxPath().Text(), form.View().FileList().FileName());
}

// Until the installer shows its window or ends, pumping events so that
// Exit stays live. No time limit: an installer may wait on a window of its own.
// A failing probe ends the wait; the answer loop's probe then reports it.
void WaitForInstallerWindow(Platform& platform, Process& installer, const std::string& title) {
    for (;;) {
        try {
            if (platform.desktop.FindWindow(title)) return;
        } catch (const ErrorInfo&) {
            return;
        }
        if (installer.HasExited()) return;
        platform.ui.WaitForEvents(kStartupWaitMs, &installer);
        platform.ui.DoEvents();
    }
}

// After a pass the installer may be closing its window just now: a short
// look saves probing it as still open and spending a whole pass on it.
constexpr int kClosingLookMs = 10;
constexpr int kClosingLooks = 10;

void WaitBrieflyForWindowToClose(Platform& platform, const std::string& title) {
    for (int look = 0; look < kClosingLooks; ++look) {
        try {
            if (!platform.desktop.FindWindow(title)) return;
        } catch (const ErrorInfo&) {
            return;  // the probe that follows reports it
        }
        platform.ui.WaitForEvents(kClosingLookMs, nullptr);
        platform.ui.DoEvents();
    }
}

// An installer may close its window and open the next one under the same
// title. While it still runs, it gets this long (counted in looks) to show
// it again before its file counts as done and the next installer starts.
constexpr int kReopenLooks = 20;

bool WindowComesBack(Platform& platform, Process& installer, const std::string& title) {
    for (int look = 0; look < kReopenLooks; ++look) {
        if (installer.HasExited()) return false;
        platform.ui.WaitForEvents(kStartupWaitMs, &installer);
        platform.ui.DoEvents();
        try {
            if (platform.desktop.FindWindow(title)) return true;
        } catch (const ErrorInfo&) {
            return false;
        }
    }
    return false;
}

void Pause(Ui& ui) {
    for (int i = 0; i < kPausePumpCalls; ++i) ui.DoEvents();
}

}  // namespace

bool KeysReachInstaller(Desktop& desktop, std::uint32_t installerProcessId,
                        const std::string& title) {
    const ForegroundWindow fg = desktop.Foreground();
    if (!fg.exists) return false;
    return (installerProcessId != 0 && fg.processId == installerProcessId) ||
           SameWindowTitle(fg.title, title);
}

void RunInstaller(MainForm& form, const std::function<bool()>& activate) {
    Platform& platform = form.Env();
    MainWindowView& view = form.View();
    const std::string folder = view.TxPath().Text();
    const std::string file = view.FileList().FileName();

    std::unique_ptr<Process> installer =
        platform.processes.Shell(StartableInstaller(platform.files, form.HfzInstPath),
                                 InstallerCommandLine(form.HfzInstPath, folder, file), kNormalFocus);
    WaitForInstallerWindow(platform, *installer, InstallerWindowTitle(folder, file));

    for (;;) {
        const std::string title = CurrentTitle(form);
        if (!IsTaskRunning(platform, title)) {
            if (WindowComesBack(platform, *installer, title)) continue;
            view.Status1().SetText(view.FileList().FileName() + " installed");
            return;
        }
        if (activate()) {
            try {
                platform.desktop.AppActivate(CurrentTitle(form));
            } catch (const ErrorInfo&) {
                // The window may have closed since the probe: then the file is done.
                if (!IsTaskRunning(platform, title)) continue;
                throw;
            }
        }
        Pause(platform.ui);
        if (KeysReachInstaller(platform.desktop, installer->Id(), title) &&
            platform.desktop.SendKeys(kAnswerKeys, true))
            WaitBrieflyForWindowToClose(platform, title);
    }
}

}  // namespace quelbrin
