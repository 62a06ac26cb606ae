#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/processes.h"

namespace quelbrin::fake {

class FakeFileSystem;

// How a substitute installer started by Shell behaves.
struct InstallerScript {
    int passesNeeded = 1;      // Tab-then-Enter passes before it closes
    int windowDelayTicks = 0;  // event-pump ticks before its window shows
    bool showsWindow = true;   // false: it exits after the delay, no window
    bool ignoresKeys = false;
    bool takesFocus = true;    // its window takes the foreground when shown
    int closeDelayTicks = 0;   // ticks between its last pass and its window closing
    // >= 0: after its passes it closes the window, runs on, and this many
    // ticks later shows it once more, which needs the passes again.
    int reopenAfterTicks = -1;
};

struct FakeWindow {
    int id = 0;
    std::string title;
    std::uint32_t processId = 0;
    // Keys typed while this window has the focus.
    std::function<void(const std::string& keys)> onKeys;
};

struct Launch {
    std::string program;
    std::string commandLine;
    std::uint32_t processId = 0;
};

struct KeySend {
    std::string keys;
    std::string foregroundTitle;  // where they landed
};

// Top-level windows, the foreground, and the programs Shell starts, which
// act like the substitute installer: "Installing  " + the rest of their
// command line is their window's title.
class FakeDesktop : public Desktop, public Processes {
public:
    // Processes
    std::unique_ptr<Process> Shell(const std::string& program, const std::string& commandLine,
                                   int windowStyle) override;
    // Desktop: titles compare without regard to letter case, as FindWindow does.
    bool FindWindow(const std::string& title) override;
    void AppActivate(const std::string& title) override;
    ForegroundWindow Foreground() override;
    bool SendKeys(const std::string& keys, bool wait) override;

    // One turn of the world: pending installer windows come up.
    void Tick();

    int OpenWindow(const std::string& title, std::uint32_t processId,
                   std::function<void(const std::string&)> onKeys = {});
    void CloseWindow(int id);
    void SetForeground(int id) { foreground_ = id; }
    int ForegroundId() const { return foreground_; }
    const FakeWindow* WindowTitled(const std::string& title) const;
    int RunningInstallers() const;

    // Scripts for the next installers started, in order; then `defaultScript`.
    std::deque<InstallerScript> scripts;
    InstallerScript defaultScript;
    // Shell starts only files found here, as Windows would (null: any name).
    const FakeFileSystem* files = nullptr;
    // Shell fails for these launches (1 = the first).
    std::vector<int> failingLaunches;
    bool failFindWindow = false;
    bool refuseActivation = false;  // AppActivate finds the window but can't raise it
    bool refuseInput = false;       // SendKeys refused, as on a locked workstation
    // Closes the window right after the next probe that found it.
    bool closeAfterNextProbe = false;

    std::vector<Launch> launches;
    std::vector<KeySend> sends;
    std::vector<std::string> activations;
    int probes = 0;
    int maxInstallersAtOnce = 0;
    std::uint32_t ownProcessId = 1;

private:
    struct Installer {
        std::uint32_t pid = 0;
        std::string title;
        InstallerScript script;
        int ticks = 0;
        int passes = 0;
        int window = 0;
        int closingIn = 0;  // ticks until the window closes; 0: not closing
        bool reopened = false;
        bool exited = false;
    };
    class FakeProcess;

    void ShowInstallerWindow(Installer& installer);
    void InstallerKeys(std::uint32_t pid, const std::string& keys);
    void CloseInstaller(Installer& installer);

    std::map<int, FakeWindow> windows_;
    std::map<std::uint32_t, std::shared_ptr<Installer>> installers_;
    int foreground_ = 0;
    int nextWindow_ = 1;
    std::uint32_t nextPid_ = 100;
};

}  // namespace quelbrin::fake
