#include "tests/fake/fake_desktop.h"

#include <algorithm>
#include <utility>

#include "installer/installer_contract.h"
#include "platform/ascii_case.h"
#include "platform/error_info.h"
#include "platform/key_notation.h"
#include "platform/utf16.h"
#include "tests/fake/fake_file_system.h"

namespace quelbrin::fake {

namespace {

constexpr std::uint32_t kLauncherOffset = 5000;  // the launched window's process id, past the launcher's

// A key in notation again: "{TAB}", "{ENTER}", or the character itself.
std::string NotationOf(const KeyStroke& key) {
    if (key.virtualKey == vk::Tab) return "{TAB}";
    if (key.virtualKey == vk::Return) return "{ENTER}";
    if (key.virtualKey) return "{VK" + std::to_string(key.virtualKey) + "}";
    std::u16string units;
    utf16_detail::AppendUnit(units, key.character);
    return Utf16ToUtf8<char16_t>(units);
}

bool BeginsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameWindowTitle(text.substr(0, prefix.size()), prefix);
}

}  // namespace

class FakeDesktop::FakeProcess : public Process {
public:
    explicit FakeProcess(std::shared_ptr<Installer> state) : state_(std::move(state)) {}
    std::uint32_t Id() const override { return state_->pid; }
    bool HasExited() const override { return state_->exited; }
    std::optional<std::uint32_t> ExitCode() const override {
        return state_->exited ? std::optional<std::uint32_t>(state_->script.exitCode) : std::nullopt;
    }

private:
    std::shared_ptr<Installer> state_;
};

namespace {

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

std::unique_ptr<Process> FakeDesktop::Shell(const std::string& program, const std::string& commandLine,
                                            int, const std::string& startFolder) {
    if (onShell) onShell();
    RefuseWhatWindowsCannotStart(files, program);
    const int number = static_cast<int>(launches.size()) + 1;
    if (std::find(failingLaunches.begin(), failingLaunches.end(), number) != failingLaunches.end()) {
        launches.push_back({program, commandLine, 0, now_, startFolder});
        throw ErrorInfo(2, "CreateProcessW", "The system cannot find the file specified.");
    }
    auto installer = std::make_shared<Installer>();
    installer->pid = nextPid_++;
    installer->script = scripts.empty() ? defaultScript : scripts.front();
    if (!scripts.empty()) scripts.pop_front();
    installer->windowPid = installer->script.launcher ? installer->pid + kLauncherOffset : installer->pid;
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
    const std::string package = commandLine.substr(rest);
    installer->title = "Installing  " + (installer->script.ansi ? AnsiRoundTrip(package) : package);
    launches.push_back({program, commandLine, installer->pid, now_, startFolder});
    installers_[installer->pid] = installer;
    maxInstallersAtOnce = std::max(maxInstallersAtOnce, RunningInstallers());
    installer->showAt = now_ + installer->script.windowDelayMs;
    AdvanceTo(now_);
    // A launcher ends at once; the installer it started runs on.
    if (installer->script.launcher) {
        auto launcher = std::make_shared<Installer>();
        launcher->pid = installer->pid;
        launcher->exited = true;
        return std::make_unique<FakeProcess>(launcher);
    }
    return std::make_unique<FakeProcess>(installer);
}

void FakeDesktop::ShowInstallerWindow(Installer& installer) {
    installer.showAt = -1;
    if (!installer.script.showsWindow) {
        installer.exited = true;
        return;
    }
    const std::uint32_t pid = installer.pid;
    if (installer.script.hiddenOwner && !installer.ownerWindow)
        installer.ownerWindow = OpenWindow("", installer.windowPid, {}, 0, /*visible=*/false);
    installer.window = OpenWindow(installer.title, installer.windowPid,
                                  [this, pid](const std::string& key) { InstallerKey(pid, key); },
                                  installer.ownerWindow);
    if (installer.script.takesFocus) foreground_ = installer.window;
}

void FakeDesktop::InstallerKey(std::uint32_t pid, const std::string& key) {
    Installer& installer = *installers_.at(pid);
    if (installer.script.ignoresKeys) return;
    if (key == "{TAB}") {
        installer.sawTab = true;
        return;
    }
    const bool pass = key == "{ENTER}" && installer.sawTab;
    installer.sawTab = false;
    if (pass) Pass(installer);
}

void FakeDesktop::Pass(Installer& installer) {
    if (installer.script.boxOnFirstPass && !installer.boxShown) {
        OpenBox(installer);
        return;
    }
    if (++installer.passes < installer.script.passesNeeded || installer.closeAt >= 0) {
        if (installer.script.busyAfterPassMs > 0) installer.busyUntil = now_ + installer.script.busyAfterPassMs;
        return;
    }
    if (installer.script.closeDelayMs > 0)
        installer.closeAt = now_ + installer.script.closeDelayMs;
    else
        CloseInstaller(installer);
}

// A modal box: its owner is disabled while it is up, and it is the popup
// the owner's root activated last.
void FakeDesktop::OpenBox(Installer& installer) {
    installer.boxShown = true;
    const int owner = installer.window;
    const std::uint32_t pid = installer.pid;
    installer.box = OpenWindow("Installer", installer.windowPid, [this, pid](const std::string& key) {
        if (key != "{ENTER}") return;
        Installer& i = *installers_.at(pid);
        if (FakeWindow* w = WindowById(i.window)) w->enabled = true;
        const int box = std::exchange(i.box, 0);
        CloseWindow(box);
    }, owner);
    if (FakeWindow* w = WindowById(owner)) w->enabled = false;
    if (FakeWindow* root = WindowById(static_cast<int>(RootOwner(static_cast<Window>(owner)))))
        root->lastActivePopup = installer.box;
    foreground_ = installer.box;
}

void FakeDesktop::CloseInstaller(Installer& installer) {
    CloseWindow(installer.window);
    installer.window = 0;
    installer.closeAt = -1;
    if (installer.script.reopenAfterMs >= 0 && !installer.reopened) {
        // Runs on windowless; its window shows again later.
        installer.reopened = true;
        installer.passes = 0;
        installer.showAt = now_ + installer.script.reopenAfterMs;
        return;
    }
    if (installer.ownerWindow) CloseWindow(std::exchange(installer.ownerWindow, 0));
    if (installer.script.runsOnMs > 0) installer.endAt = now_ + installer.script.runsOnMs;
    else installer.exited = true;
}

std::int64_t FakeDesktop::NextEventAt() const {
    std::int64_t next = -1;
    for (const auto& [pid, i] : installers_) {
        if (i->exited) continue;
        for (std::int64_t at : {i->showAt, i->closeAt, i->busyUntil, i->endAt})
            if (at >= 0 && (next < 0 || at < next)) next = at;
    }
    return next;
}

void FakeDesktop::AdvanceTo(std::int64_t nowMs) {
    for (;;) {
        const std::int64_t next = NextEventAt();
        if (next < 0 || next > nowMs) break;
        now_ = std::max(now_, next);
        for (auto& [pid, i] : installers_) {
            if (i->exited) continue;
            if (i->busyUntil >= 0 && i->busyUntil <= now_) DeliverQueued(*i);
            if (i->endAt >= 0 && i->endAt <= now_) i->exited = true;
            if (i->closeAt >= 0 && i->closeAt <= now_) CloseInstaller(*i);
            else if (i->showAt >= 0 && i->showAt <= now_ && !i->window) ShowInstallerWindow(*i);
        }
    }
    now_ = std::max(now_, nowMs);
}

FakeDesktop::Installer* FakeDesktop::InstallerOf(const FakeWindow* window) {
    if (!window) return nullptr;
    for (auto& [pid, i] : installers_)
        if (!i->exited && i->windowPid == window->processId) return i.get();
    return nullptr;
}

// Free again, the thread reads what was typed meanwhile, in order, until a
// key makes it busy once more.
void FakeDesktop::DeliverQueued(Installer& installer) {
    installer.busyUntil = -1;
    while (!installer.queued.empty() && installer.busyUntil < 0) {
        const auto [id, key] = installer.queued.front();
        installer.queued.pop_front();
        if (const FakeWindow* w = Find(id); w && w->enabled && w->onKey) {
            auto onKey = w->onKey;
            onKey(key);
        }
    }
}

bool FakeDesktop::KeysRead() {
    const auto it = installers_.find(keysWentTo_);
    if (it == installers_.end() || it->second->exited) return true;
    return it->second->busyUntil < 0 && it->second->queued.empty();
}

int FakeDesktop::RunningInstallers() const {
    return static_cast<int>(std::count_if(installers_.begin(), installers_.end(),
                                          [](const auto& i) { return !i.second->exited; }));
}

int FakeDesktop::OpenWindow(const std::string& title, std::uint32_t processId,
                            std::function<void(const std::string&)> onKey, int owner, bool visible) {
    const int id = nextWindow_++;
    windows_[id] = {.id = id, .title = title, .processId = processId, .visible = visible, .owner = owner,
                    .onKey = std::move(onKey)};
    return id;
}

void FakeDesktop::CloseWindow(int id) {
    const FakeWindow* closing = Find(id);
    if (!closing) return;
    const int owner = closing->owner;
    windows_.erase(id);
    for (auto& [wid, w] : windows_)
        if (w.lastActivePopup == id) w.lastActivePopup = 0;
    if (foreground_ != id) return;
    // As on Windows, the activation goes to the owner; else to a window of
    // Windows' choosing, which need not be this program's.
    foreground_ = 0;
    if (const FakeWindow* o = Find(owner); o && o->visible) {
        foreground_ = owner;
        return;
    }
    for (const auto& [wid, w] : windows_)
        if (w.visible && (w.processId == ownProcessId) == frontBackToProgram) foreground_ = wid;
}

const FakeWindow* FakeDesktop::Find(int id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

FakeWindow* FakeDesktop::WindowById(int id) { return const_cast<FakeWindow*>(Find(id)); }

const FakeWindow* FakeDesktop::WindowTitled(const std::string& title) const {
    for (const auto& [id, w] : windows_)
        if (SameWindowTitle(w.title, title)) return &w;
    return nullptr;
}

bool FakeDesktop::FindWindow(const std::string& title) {
    if (failFindWindow) throw ErrorInfo(1400, "FindWindowW", "Invalid window handle.");
    const FakeWindow* w = WindowTitled(title);
    if (w && closeAfterNextProbe) {
        closeAfterNextProbe = false;
        for (auto& [pid, installer] : installers_)
            if (installer->window == w->id) {
                installer->script.reopenAfterMs = -1;
                CloseInstaller(*installer);
                return true;
            }
        CloseWindow(w->id);
    }
    return w != nullptr;
}

void FakeDesktop::AppActivate(const std::string& title) {
    activations.push_back(title);
    const FakeWindow* target = title.empty() ? nullptr : WindowTitled(title);
    if (!target)
        for (const auto& [id, w] : windows_)
            if (w.visible && !title.empty() && BeginsWith(w.title, title)) {
                target = &w;
                break;
            }
    if (!target || failActivation) throw ErrorInfo(1400, "AppActivate", "Invalid window handle.");
    const int window = static_cast<int>(ActivationWindow(*this, static_cast<Window>(target->id)));
    if (refuseActivation) return;
    foreground_ = window;
    if (FakeWindow* root = WindowById(static_cast<int>(RootOwner(static_cast<Window>(window)))))
        root->lastActivePopup = root->id == window ? 0 : window;
}

ForegroundWindow FakeDesktop::Foreground() {
    const FakeWindow* w = Find(foreground_);
    if (!w) return {};
    ForegroundWindow fg{true, w->processId, w->title, {}};
    for (Window owner : OwnerChain(*this, static_cast<Window>(w->id)))
        if (const FakeWindow* o = Find(static_cast<int>(owner))) fg.ownerTitles.push_back(o->title);
    return fg;
}

bool FakeDesktop::SendKeys(const std::string& keys, bool, const KeyGate& gate) {
    const ParsedKeys parsed = ParseKeyNotation(keys);
    if (!parsed.ok()) throw ErrorInfo(87, "SendKeys", "The keystrokes can't be typed: " + parsed.error + ".");
    KeySend send{"", "", now_};
    std::size_t count = 0;
    for (const KeyStroke& stroke : parsed.keys) {
        if ((gate && !gate()) || refuseInput || locked) break;
        const std::string key = NotationOf(stroke);
        const FakeWindow* w = Find(foreground_);
        if (count++ == 0) send.foregroundTitle = w ? w->title : "";
        send.keys += key;
        Installer* owner = InstallerOf(w);
        keysWentTo_ = owner ? owner->pid : 0;
        if (owner && owner->busyUntil >= 0) {
            owner->queued.emplace_back(w->id, key);
            ++keysQueued;
        } else if (w && w->enabled && w->onKey) {
            auto onKey = w->onKey;  // the handler may close the window
            onKey(key);
        }
        if (afterKey) afterKey(key);
    }
    if (count > 0) sends.push_back(send);
    return count == parsed.keys.size();
}

std::string FakeDesktop::AnsiRoundTrip(const std::string& title) {
    std::u16string units = Utf8ToUtf16<char16_t>(title), out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool pair = utf16_detail::IsHighSurrogate(units[i]) && i + 1 < units.size() &&
                          utf16_detail::IsLowSurrogate(units[i + 1]);
        out += units[i] <= 0xFF ? units[i] : u'?';  // U+0080..U+00FF are in the code page
        i += pair;
    }
    return Utf16ToUtf8<char16_t>(out);
}

WindowTree::Window FakeDesktop::Owner(Window window) const {
    const FakeWindow* w = Find(static_cast<int>(window));
    return w && Find(w->owner) ? static_cast<Window>(w->owner) : 0;
}

WindowTree::Window FakeDesktop::RootOwner(Window window) const {
    const std::vector<Window> owners = OwnerChain(*this, window);
    return owners.empty() ? window : owners.back();
}

WindowTree::Window FakeDesktop::LastActivePopup(Window window) const {
    const FakeWindow* w = Find(static_cast<int>(window));
    return w && w->lastActivePopup ? static_cast<Window>(w->lastActivePopup) : window;
}

bool FakeDesktop::Visible(Window window) const {
    const FakeWindow* w = Find(static_cast<int>(window));
    return w && w->visible;
}

bool FakeDesktop::Enabled(Window window) const {
    const FakeWindow* w = Find(static_cast<int>(window));
    return w && w->enabled;
}

}  // namespace quelbrin::fake
