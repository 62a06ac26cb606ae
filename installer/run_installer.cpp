#include "installer/run_installer.h"

#include <algorithm>

#include "installer/installer_contract.h"
#include "installer/task_probe.h"
#include "installer/waiting_status.h"
#include "main_window/main_form_layout.h"
#include "platform/folder_text.h"

namespace quelbrin {

namespace {

// How long to sleep between looks while the installer's window is not up.
constexpr int kStartupWaitMs = 50;
// While the key floor is waited out, how often to look whether the window
// has gone (its closing is no event of ours).
constexpr int kFloorLookMs = 15;

constexpr std::int32_t kErrorNoUnicodeTranslation = 1113;

InstallerTitles TitlesOf(Platform& platform, const std::string& folder, const std::string& file) {
    return InstallerTitles::Of(platform.desktop, InstallerWindowTitle(PassedPackagePath(platform, folder, file)));
}

// The titles as the controls give them now.
InstallerTitles CurrentTitles(MainForm& form) {
    return TitlesOf(form.Env(), form.View().TxPath().Text(), form.View().FileList().FileName());
}

// An installer of the ANSI code page that shows "?" in its title got "?" in
// the package path too: it cannot open the file, and answering its window
// would only confirm its error.
void RefuseUnopenableName(Desktop& desktop, const InstallerTitles& titles, const std::string& file) {
    try {
        if (!titles.HasAnsiForm() || desktop.FindWindow(titles.exact) || !desktop.FindWindow(titles.ansi)) return;
    } catch (const ErrorInfo&) {
        return;  // the answer loop's probe reports it
    }
    throw ErrorInfo(kErrorNoUnicodeTranslation, layout::kAppTitle,
                    "the installer cannot open \"" + file + "\": its name has letters that the system's code page lacks");
}

// A failing probe counts as "gone": the answer loop's probe then reports it.
bool WindowShowsQuietly(Desktop& desktop, const InstallerTitles& titles) {
    try {
        return WindowShows(desktop, titles);
    } catch (const ErrorInfo&) {
        return false;
    }
}

// An ended installer would wake every wait at once.
Process* Waitable(Process& installer) { return installer.HasExited() ? nullptr : &installer; }

// Until the installer shows its window, pumping events so that Exit stays
// live. No time limit while it runs: an installer may wait on a window of its
// own. One that has ended may have started the real installer, whose window
// gets kLauncherGraceMs to show. A failing probe ends the wait; the answer
// loop's probe then reports it. True once the window shows.
bool WaitForInstallerWindow(Platform& platform, Process& installer, const InstallerTitles& titles) {
    std::int64_t endedAt = -1;
    for (;;) {
        try {
            if (WindowShows(platform.desktop, titles)) return true;
        } catch (const ErrorInfo&) {
            return false;
        }
        if (installer.HasExited()) {
            const std::int64_t now = platform.clock.NowMs();
            if (endedAt < 0) endedAt = now;
            if (now - endedAt >= kLauncherGraceMs) return false;
        }
        platform.ui.WaitForEvents(kStartupWaitMs, Waitable(installer));
        platform.ui.DoEvents();
    }
}

// Until the thread of the window that got the keys has read them. An
// installer that works on its window's thread after an Enter reads nothing
// meanwhile, and keys typed then would wait in its queue and answer its next
// page unseen. Exit stays live. False once the window has gone.
bool WaitUntilKeysRead(Platform& platform, Process& installer, const InstallerTitles& titles) {
    while (!platform.desktop.KeysRead()) {
        platform.ui.WaitForEvents(kFloorLookMs, Waitable(installer));
        platform.ui.DoEvents();
        if (!WindowShowsQuietly(platform.desktop, titles)) return false;
    }
    return true;
}

// After a pass the installer may be closing its window just now: a short
// look saves probing it as still open and spending a whole pass on it.
constexpr int kClosingLookMs = 10;
constexpr int kClosingLooks = 10;

void WaitBrieflyForWindowToClose(Platform& platform, const InstallerTitles& titles) {
    for (int look = 0; look < kClosingLooks; ++look) {
        if (!WindowShowsQuietly(platform.desktop, titles)) return;
        platform.ui.WaitForEvents(kClosingLookMs, nullptr);
        platform.ui.DoEvents();
    }
}

// An installer may close its window and open the next one under the same
// title. While it still runs, it gets this long to show it again before its
// file counts as done and the next installer starts.
constexpr std::int64_t kReopenGraceMs = 1000;

bool WindowComesBack(Platform& platform, Process& installer, const InstallerTitles& titles) {
    const std::int64_t until = platform.clock.NowMs() + kReopenGraceMs;
    while (platform.clock.NowMs() < until) {
        if (installer.HasExited()) return false;
        platform.ui.WaitForEvents(kStartupWaitMs, &installer);
        platform.ui.DoEvents();
        try {
            if (WindowShows(platform.desktop, titles)) return true;
        } catch (const ErrorInfo&) {
            return false;
        }
    }
    return false;
}

void Pause(Ui& ui) {
    for (int i = 0; i < kPausePumpCalls; ++i) ui.DoEvents();
}

// Waits, for events or the installer's end, until the clock reads `until`.
// False as soon as the window has gone.
bool WaitOutKeyFloor(Platform& platform, Process& installer, const InstallerTitles& titles,
                     std::int64_t until) {
    for (std::int64_t now = platform.clock.NowMs(); now < until; now = platform.clock.NowMs()) {
        platform.ui.WaitForEvents(static_cast<int>(std::min<std::int64_t>(until - now, kFloorLookMs)),
                                  Waitable(installer));
        platform.ui.DoEvents();
        if (!WindowShowsQuietly(platform.desktop, titles)) return false;
    }
    return true;
}

// False when the window has gone meanwhile: the file is then done.
bool ActivateInstallerWindow(Platform& platform, const InstallerTitles& titles) {
    try {
        platform.desktop.AppActivate(titles.exact);
        return true;
    } catch (const ErrorInfo&) {
        if (titles.HasAnsiForm()) {
            try {
                platform.desktop.AppActivate(titles.ansi);
                return true;
            } catch (const ErrorInfo&) {
            }
        }
        if (!IsTaskRunning(platform, titles)) return false;
        throw;
    }
}

}  // namespace

std::string PassedPackagePath(Platform& platform, const std::string& folder, const std::string& file) {
    const std::string path = PackagePath(folder, file);
    if (platform.desktop.AnsiRoundTrip(path) == path) return path;
    const std::string shortPath = platform.files.ShortPath(path);
    return !shortPath.empty() && platform.desktop.AnsiRoundTrip(shortPath) == shortPath ? shortPath : path;
}

bool KeysReachInstaller(Desktop& desktop, std::uint32_t installerProcessId,
                        const std::vector<std::string>& titles) {
    const ForegroundWindow fg = desktop.Foreground();
    if (!fg.exists) return false;
    if (installerProcessId != 0 && fg.processId == installerProcessId) return true;
    const auto carries = [&](const std::string& windowTitle) {
        return std::any_of(titles.begin(), titles.end(),
                           [&](const std::string& title) { return SameWindowTitle(windowTitle, title); });
    };
    return carries(fg.title) || std::any_of(fg.ownerTitles.begin(), fg.ownerTitles.end(), carries);
}

void RunInstaller(MainForm& form, const std::function<bool()>& activate, InstallerRun& run) {
    Platform& platform = form.Env();
    MainWindowView& view = form.View();
    const std::string folder = view.TxPath().Text();
    const std::string file = view.FileList().FileName();
    const std::string program = StartableInstaller(platform.files, form.HfzInstPath);

    run.installer = platform.processes.Shell(
        program, InstallerCommandLine(form.HfzInstPath, PassedPackagePath(platform, folder, file)),
        kNormalFocus, FolderOfPath(program));  // in its own folder, as a shortcut's "Start in" has it
    Process* const installer = run.installer.get();
    run.windowSeen = WaitForInstallerWindow(platform, *installer, TitlesOf(platform, folder, file));
    std::int64_t lastKeys = platform.clock.NowMs();
    WaitingStatus waiting(view, platform.clock);
    Desktop& desktop = platform.desktop;
    const auto userAtWork = [&] { return desktop.UserIdleMs() < kUserQuietMs; };

    for (;;) {
        const InstallerTitles titles = CurrentTitles(form);
        if (!IsTaskRunning(platform, titles)) {
            if (WindowComesBack(platform, *installer, titles)) {
                lastKeys = platform.clock.NowMs();  // a new window: the floor starts again
                continue;
            }
            view.Status1().SetText(view.FileList().FileName() + " installed");
            return;
        }
        run.windowSeen = true;
        RefuseUnopenableName(desktop, titles, view.FileList().FileName());
        // The activation gets past the foreground lock: never while the user
        // is typing elsewhere, or the window would take their next keys.
        if (activate() && !userAtWork() && !ActivateInstallerWindow(platform, titles)) continue;
        Pause(platform.ui);
        if (!WaitOutKeyFloor(platform, *installer, titles, lastKeys + kKeyFloorMs)) continue;
        // Each key only where the installer is, never combined with a key the
        // user holds down (Alt+Tab, Ctrl+Enter), never amid the user's own.
        const std::vector<std::string> all = titles.All();
        HoldReason why = HoldReason::Locked;  // when the system refuses the input
        const KeyGate mayType = [&] {
            if (!desktop.OnInputDesktop()) why = HoldReason::Locked;
            else if (desktop.ModifiersHeld()) why = HoldReason::KeyHeld;
            else if (userAtWork() || !KeysReachInstaller(desktop, installer->Id(), all)) why = HoldReason::NotInFront;
            else return true;
            return false;
        };
        if (!desktop.SendKeys(kAnswerKeys, true, mayType)) {
            lastKeys = platform.clock.NowMs();
            view.KeysHeldBack();
            waiting.HeldBack(why);
            continue;
        }
        waiting.KeysWentOut();
        // The floor counts from the moment the installer has read the keys.
        const bool stillThere = WaitUntilKeysRead(platform, *installer, titles);
        ++run.rounds;  // read, or the window went with them
        lastKeys = platform.clock.NowMs();
        if (stillThere) WaitBrieflyForWindowToClose(platform, titles);
    }
}

}  // namespace quelbrin
