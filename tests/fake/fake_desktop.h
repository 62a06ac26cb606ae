#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/processes.h"
#include "platform/window_rules.h"

namespace quelbrin::fake {

class FakeFileSystem;

// How a substitute installer started by Shell behaves. Times are on the
// fake clock, which only moves while the program waits.
struct InstallerScript {
    int passesNeeded = 1;    // Tab-then-Enter passes before it closes
    int windowDelayMs = 0;   // before its window shows
    bool showsWindow = true; // false: it exits after the delay, no window
    bool ignoresKeys = false;
    bool takesFocus = true;  // its window takes the foreground when shown
    int closeDelayMs = 0;    // between its last pass and its window closing
    // >= 0: after its passes it closes the window, runs on, and this long later shows it again.
    int reopenAfterMs = -1;
    bool ansi = false;            // reads its command line in the ANSI code page: "?" in its title
    bool hiddenOwner = false;     // its window hangs off a hidden owner window of its own
    bool boxOnFirstPass = false;  // its first pass opens a modal box (its window disabled); Enter closes it
    bool launcher = false;        // a launcher that ends at once: the window is another process's
    // Its window's thread works this long after each pass that leaves the window up; keys typed
    // meanwhile wait in its queue.
    int busyAfterPassMs = 0;
    int runsOnMs = 0;             // after its window closed for good it runs on this long
    std::uint32_t exitCode = 0;
};

struct FakeWindow {
    int id = 0;
    std::string title;
    std::uint32_t processId = 0;
    bool visible = true;
    bool enabled = true;
    int owner = 0;
    int lastActivePopup = 0;  // 0: itself
    // One key (in notation, "{TAB}") typed while this window has the focus.
    std::function<void(const std::string& key)> onKey;
};

struct Launch {
    std::string program;
    std::string commandLine;
    std::uint32_t processId = 0;
    std::int64_t atMs = 0;
    std::string startFolder;
};

// One SendKeys call that typed at least one key.
struct KeySend {
    std::string keys;             // the keys typed, in notation
    std::string foregroundTitle;  // where the first of them landed
    std::int64_t atMs = 0;
};

// Top-level windows, the foreground, and the programs Shell starts, which
// act like the substitute installer: "Installing  " + the rest of their
// command line is their window's title. Like Windows: titles compare without
// letter case, FindWindow finds hidden windows, keys go one at a time to the
// focused window and a disabled window takes none.
class FakeDesktop : public Desktop, public Processes, private WindowTree {
public:
    // Processes
    std::unique_ptr<Process> Shell(const std::string& program, const std::string& commandLine,
                                   int windowStyle, const std::string& startFolder = {}) override;
    // Desktop
    bool FindWindow(const std::string& title) override;
    void AppActivate(const std::string& title) override;
    ForegroundWindow Foreground() override;
    bool SendKeys(const std::string& keys, bool wait, const KeyGate& gate) override;
    bool ModifiersHeld() override { return modifiersHeld; }
    // False while the thread that got the last keys is busy or has keys queued.
    bool KeysRead() override;
    bool OnInputDesktop() override { return !locked; }
    std::int64_t UserIdleMs() override { return now_ - userInputAtMs; }
    // The ANSI code page here is Latin-1: any other letter becomes "?".
    std::string AnsiRoundTrip(const std::string& title) override;

    // The time (ms) of the next thing an installer will do; -1 for none.
    std::int64_t NextEventAt() const;
    // Lets the installers do what is due up to this time.
    void AdvanceTo(std::int64_t nowMs);

    int OpenWindow(const std::string& title, std::uint32_t processId,
                   std::function<void(const std::string&)> onKey = {}, int owner = 0,
                   bool visible = true);
    void CloseWindow(int id);
    void SetForeground(int id) { foreground_ = id; }
    int ForegroundId() const { return foreground_; }
    // The foreground is this window or one it owns: the platform's rule.
    bool InFrontOf(int id) const { return OwnerChainContains(*this, foreground_, id); }
    const FakeWindow* WindowTitled(const std::string& title) const;
    FakeWindow* WindowById(int id);
    int RunningInstallers() const;

    // Scripts for the next installers started, in order; then `defaultScript`.
    std::deque<InstallerScript> scripts;
    InstallerScript defaultScript;
    // Shell starts only files found here, as Windows would (null: any name).
    const FakeFileSystem* files = nullptr;
    // Shell fails for these launches (1 = the first).
    std::vector<int> failingLaunches;
    // Shell runs this first (a test throws what it likes from it).
    std::function<void()> onShell;
    bool failFindWindow = false;
    bool failActivation = false;    // AppActivate finds the window and fails
    bool refuseActivation = false;  // AppActivate finds the window but can't raise it
    bool refuseInput = false;       // SendInput refused, as on a locked workstation
    bool modifiersHeld = false;     // the user holds Shift, Ctrl, Alt or Windows
    bool locked = false;            // the lock screen or a secure desktop takes the input
    std::int64_t userInputAtMs = -1000000;  // the user's own last input
    int keysQueued = 0;             // keys that had to wait in a busy installer's queue
    // Closes the window right after the next probe that found it.
    bool closeAfterNextProbe = false;
    // Where the front goes when the foreground window closes without a visible owner: false
    // (as Windows often does), to another program's window opened last, or to none; true, back here.
    bool frontBackToProgram = false;
    // Run after each key typed: what the user does between two keys.
    std::function<void(const std::string& key)> afterKey;

    std::vector<Launch> launches;
    std::vector<KeySend> sends;
    std::vector<std::string> activations;
    int maxInstallersAtOnce = 0;
    std::uint32_t ownProcessId = 1;

private:
    struct Installer {
        std::uint32_t pid = 0;
        std::uint32_t windowPid = 0;
        std::string title;
        InstallerScript script;
        std::int64_t showAt = -1;   // when its window shows (or, without one, it exits)
        std::int64_t closeAt = -1;  // when its window closes
        std::int64_t endAt = -1;    // when it ends, its window closed
        int passes = 0;
        bool sawTab = false;
        int window = 0;
        int ownerWindow = 0;
        int box = 0;
        bool boxShown = false;
        bool reopened = false;
        bool exited = false;
        std::int64_t busyUntil = -1;
        std::deque<std::pair<int, std::string>> queued;  // window, key
    };
    class FakeProcess;

    void ShowInstallerWindow(Installer& installer);
    void InstallerKey(std::uint32_t pid, const std::string& key);
    void Pass(Installer& installer);
    void CloseInstaller(Installer& installer);
    void OpenBox(Installer& installer);
    Installer* InstallerOf(const FakeWindow* window);
    void DeliverQueued(Installer& installer);

    // WindowTree, for the platform's own activation rule.
    Window Owner(Window window) const override;
    Window RootOwner(Window window) const override;
    Window LastActivePopup(Window window) const override;
    bool Visible(Window window) const override;
    bool Enabled(Window window) const override;
    const FakeWindow* Find(int id) const;

    std::map<int, FakeWindow> windows_;
    std::map<std::uint32_t, std::shared_ptr<Installer>> installers_;
    int foreground_ = 0;
    int nextWindow_ = 1;
    std::uint32_t nextPid_ = 100;
    std::uint32_t keysWentTo_ = 0;  // the installer whose thread got the last keys
    std::int64_t now_ = 0;
};

}  // namespace quelbrin::fake
