#include "tests/fake/fake_desktop.h"

#include <algorithm>

#include "installer/installer_contract.h"
#include "platform/error_info.h"
#include "tests/fake/fake_file_system.h"

namespace quelbrin::fake {

class FakeDesktop::FakeProcess : public Process {
public:
    explicit FakeProcess(std::shared_ptr<Installer> state) : state_(std::move(state)) {}
    std::uint32_t Id() const override { return state_->pid; }
    bool HasExited() const override { return state_->exited; }

private:
    std::shared_ptr<Installer> state_;
};

namespace {

bool EndsWithIgnoringCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = s[s.size() - tail.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != tail[i]) return false;
    }
    return true;
}

// What CreateProcessW refuses, in its words: no name, no such file, a folder,
// a file that is no program. The fake's files have no content: one named like
// a program or batch file (which Windows runs through cmd.exe), or with no
// extension at all, counts as runnable; any other extension does not.
void RefuseWhatWindowsCannotStart(const FakeFileSystem* files, const std::string& program) {
    if (program.empty() || (files && !files->files.count(program) && !files->folders.count(program)))
        throw ErrorInfo(2, "CreateProcessW", "The system cannot find the file specified.");
    if (files && files->folders.count(program))
        throw ErrorInfo(5, "CreateProcessW", "Access is denied.");
    // Windows drops trailing dots and blanks: "x.bat." and "x.cmd " are batch files.
    std::string name = program;
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return;
    for (const char* runnable : {".exe", ".com", ".bat", ".cmd"})
        if (EndsWithIgnoringCase(name, runnable)) return;
    throw ErrorInfo(193, "CreateProcessW", "%1 is not a valid Win32 application.");
}

}  // namespace

std::unique_ptr<Process> FakeDesktop::Shell(const std::string& program,
                                            const std::string& commandLine, int) {
    RefuseWhatWindowsCannotStart(files, program);
    const int number = static_cast<int>(launches.size()) + 1;
    if (std::find(failingLaunches.begin(), failingLaunches.end(), number) != failingLaunches.end()) {
        launches.push_back({program, commandLine, 0});
        throw ErrorInfo(2, "CreateProcessW", "The system cannot find the file specified.");
    }
    auto installer = std::make_shared<Installer>();
    installer->pid = nextPid_++;
    if (!scripts.empty()) {
        installer->script = scripts.front();
        scripts.pop_front();
    } else {
        installer->script = defaultScript;
    }
    // The installer reads its own path as the first token, the package as the rest.
    std::size_t rest;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        rest = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        rest = commandLine.find(' ');
        if (rest == std::string::npos) rest = commandLine.size();
    }
    if (rest < commandLine.size()) ++rest;
    installer->title = "Installing  " + commandLine.substr(rest);
    launches.push_back({program, commandLine, installer->pid});
    installers_[installer->pid] = installer;
    maxInstallersAtOnce = std::max(maxInstallersAtOnce, RunningInstallers());
    if (installer->script.windowDelayTicks == 0) ShowInstallerWindow(*installer);
    return std::make_unique<FakeProcess>(installer);
}

void FakeDesktop::ShowInstallerWindow(Installer& installer) {
    if (!installer.script.showsWindow) {
        installer.exited = true;
        return;
    }
    const std::uint32_t pid = installer.pid;
    installer.window =
        OpenWindow(installer.title, pid, [this, pid](const std::string& keys) { InstallerKeys(pid, keys); });
    if (installer.script.takesFocus) foreground_ = installer.window;
}

void FakeDesktop::InstallerKeys(std::uint32_t pid, const std::string& keys) {
    Installer& installer = *installers_.at(pid);
    if (installer.script.ignoresKeys || keys != "{TAB}{ENTER}") return;
    if (++installer.passes >= installer.script.passesNeeded) {
        if (installer.script.closeDelayTicks > 0)
            installer.closingIn = installer.script.closeDelayTicks;
        else
            CloseInstaller(installer);
    }
}

void FakeDesktop::CloseInstaller(Installer& installer) {
    CloseWindow(installer.window);
    installer.window = 0;
    installer.closingIn = 0;
    if (installer.script.reopenAfterTicks >= 0 && !installer.reopened) {
        // Runs on windowless; Tick shows the window again.
        installer.reopened = true;
        installer.passes = 0;
        installer.ticks = 0;
        installer.script.windowDelayTicks = installer.script.reopenAfterTicks;
        return;
    }
    installer.exited = true;
}

void FakeDesktop::Tick() {
    for (auto& [pid, installer] : installers_) {
        if (installer->closingIn > 0 && --installer->closingIn == 0) CloseInstaller(*installer);
        if (installer->exited || installer->window) continue;
        if (++installer->ticks >= installer->script.windowDelayTicks) ShowInstallerWindow(*installer);
    }
}

int FakeDesktop::RunningInstallers() const {
    return static_cast<int>(std::count_if(installers_.begin(), installers_.end(),
                                          [](const auto& i) { return !i.second->exited; }));
}

int FakeDesktop::OpenWindow(const std::string& title, std::uint32_t processId,
                            std::function<void(const std::string&)> onKeys) {
    const int id = nextWindow_++;
    windows_[id] = FakeWindow{id, title, processId, std::move(onKeys)};
    return id;
}

void FakeDesktop::CloseWindow(int id) {
    windows_.erase(id);
    if (foreground_ == id) {
        // As on Windows, the focus returns to the program's own window.
        foreground_ = 0;
        for (const auto& [wid, w] : windows_)
            if (w.processId == ownProcessId) foreground_ = wid;
    }
}

const FakeWindow* FakeDesktop::WindowTitled(const std::string& title) const {
    for (const auto& [id, w] : windows_)
        if (SameWindowTitle(w.title, title)) return &w;
    return nullptr;
}

bool FakeDesktop::FindWindow(const std::string& title) {
    ++probes;
    if (failFindWindow) throw ErrorInfo(1400, "FindWindowW", "Invalid window handle.");
    const FakeWindow* w = WindowTitled(title);
    if (w && closeAfterNextProbe) {
        closeAfterNextProbe = false;
        const int id = w->id;
        auto it = installers_.find(w->processId);
        CloseWindow(id);
        if (it != installers_.end()) {
            it->second->window = 0;
            it->second->exited = true;
        }
    }
    return w != nullptr;
}

void FakeDesktop::AppActivate(const std::string& title) {
    activations.push_back(title);
    const FakeWindow* match = nullptr;
    for (const auto& [id, w] : windows_)
        if (w.title == title) match = &w;
    if (!match)
        for (const auto& [id, w] : windows_)
            if (w.title.compare(0, title.size(), title) == 0) match = &w;
    if (!match) throw ErrorInfo(5, "AppActivate", "Invalid procedure call or argument");
    if (!refuseActivation) foreground_ = match->id;
}

ForegroundWindow FakeDesktop::Foreground() {
    auto it = windows_.find(foreground_);
    if (it == windows_.end()) return {};
    return {true, it->second.processId, it->second.title};
}

bool FakeDesktop::SendKeys(const std::string& keys, bool) {
    if (refuseInput) return false;
    auto it = windows_.find(foreground_);
    sends.push_back({keys, it == windows_.end() ? "" : it->second.title});
    if (it != windows_.end() && it->second.onKeys) {
        auto onKeys = it->second.onKeys;  // the handler may close the window
        onKeys(keys);
    }
    return true;
}

}  // namespace quelbrin::fake
