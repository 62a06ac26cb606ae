#include "tests/fake/fake_ui.h"

#include <algorithm>
#include <cstdio>

namespace quelbrin::fake {

FakeMainWindow::FakeMainWindow(MainFormEvents& events, const FileSystem& files,
                               const layout::MainWindowDesign& design)
    : btExit("BtExit", log, "Cancel / Exit"),
      btAbout("BtAbout", log, "About..."),
      btStart("BtStart", log, "Install All Files"),
      btInst("BtInst", log, "Install Selected File"),
      btBrowse("BtBrowse", log, "Browse..."),
      txPath("TxPath", log),
      status2("Status2", log, "Ready"),
      status1("Status1", log),
      fileList(files, log, design.listFilter) {
    txPath.onChange = [&events] { events.TxPath_Change(); };
    fileList.onClick = [&events] { events.FileList_Click(); };
    // The live regions among the status lines (the design test checks that only they are).
    for (layout::ControlId id : design.liveRegions)
        if (id == layout::IdStatus2 || id == layout::IdStatus1)
            (id == layout::IdStatus2 ? status2 : status1).liveRegionEvents = &liveRegionEvents;
}

void FakeTaskbarButton::ShowProgress(int done, int total) {
    Set("progress " + std::to_string(done) + "/" + std::to_string(total));
}

void FakeTaskbarButton::Set(const std::string& state) {
    state_ = state;
    if (Usable()) calls.push_back(state);
}

void FakeTaskbarButton::ShowPaused(bool paused) {
    paused_ = paused;
    if (Usable()) calls.push_back(paused ? "paused" : "resumed");
}

void FakeTaskbarButton::ButtonCreated() {
    created = true;
    if (!Usable()) return;
    if (state_ != "clear") calls.push_back(state_);  // a new button shows no bar by itself
    if (paused_) calls.push_back("paused");
}

int FakeMainWindow::ShowFileMenu(std::span<const MenuCommand> commands) {
    std::vector<std::string>& shown = menusShown.emplace_back();
    for (const MenuCommand& c : commands) shown.push_back(c.text ? std::string(c.text) + (c.enabled ? "" : " (off)") : "-");

    if (modalLoop) modalLoop(menuOpenMs);
    return onFileMenu ? onFileMenu() : -1;
}

std::unique_ptr<MainWindowView> FakeUi::CreateMainWindow(MainFormEvents& mainEvents,
                                                         const layout::MainWindowDesign& design) {
    auto view = std::make_unique<FakeMainWindow>(mainEvents, files_, design);
    window = view.get();
    events = &mainEvents;
    // The main window on the desktop: while busy only "Cancel / Exit" can hold
    // the focus, so an Enter typed into it presses that button.
    const int id = desktop_.OpenWindow(design.title, desktop_.ownProcessId, [this](const std::string& key) {
        if (key == "{ENTER}") events->BtExit_Click();
    });
    desktop_.SetForeground(id);
    window->taskbar.inFront = [this, id] { return desktop_.InFrontOf(id); };
    window->modalLoop = [this](int milliseconds) { RunModalLoop(milliseconds); };
    return view;
}

void FakeUi::ShowDialog(DialogEvents& dialogEvents, const layout::DialogDesign&) {
    ++dialogsShown;
    lastDialog = std::make_unique<FakeDialog>();
    dialogEvents.Form_Load(*lastDialog);
    if (dialogScript) dialogScript(*lastDialog, dialogEvents);
}

namespace {
// Said on stderr as well: the test only sees an exception of unknown type.
[[noreturn]] void NeverEnds(const std::string& what) {
    std::fprintf(stderr, "fake platform: %s: a loop that never ends\n", what.c_str());
    throw LoopNeverEnds{what};
}
}  // namespace

void FakeUi::DoEvents() {
    if (++doEventsCalls > maxDoEventsCalls) NeverEnds("more than " + std::to_string(maxDoEventsCalls) + " pump calls");
    if (window && window->shown && !window->taskbar.created) window->taskbar.ButtonCreated();
    desktop_.AdvanceTo(clock_.now);
    while (!atTime.empty() && atTime.begin()->first <= clock_.now) {
        auto action = std::move(atTime.begin()->second);
        atTime.erase(atTime.begin());
        action();
    }
    auto range = atDoEvents.equal_range(doEventsCalls);
    std::vector<std::function<void()>> due;
    for (auto it = range.first; it != range.second; ++it) due.push_back(it->second);
    for (auto& action : due) action();
    if (onDoEvents) onDoEvents(doEventsCalls);
}

// Sleeps on the clock until the time is up, the user gives input, an
// installer does something, or the process waited on ends.
void FakeUi::WaitForEvents(int milliseconds, Process* process) {
    if (process && process->HasExited()) return;
    std::int64_t until = clock_.now + std::max(milliseconds, 0);
    if (!atTime.empty()) until = std::min(until, std::max(clock_.now, atTime.begin()->first));
    const std::int64_t next = desktop_.NextEventAt();
    if (next >= 0) until = std::min(until, std::max(clock_.now, next));
    clock_.now = until;
    if (clock_.now > maxClockMs) NeverEnds("the clock passed " + std::to_string(maxClockMs) + " ms");
    desktop_.AdvanceTo(clock_.now);
}

void FakeUi::RunModalLoop(int milliseconds) {
    const std::int64_t until = clock_.now + milliseconds;
    for (;;) {
        DoEvents();
        if (clock_.now >= until) return;
        WaitForEvents(static_cast<int>(until - clock_.now), nullptr);
    }
}

int FakeUi::MsgBox(const std::string& text, const std::string& title, int style) {
    messageBoxes.push_back({text, title, style, window && window->shown});
    return msgbox::AnswerOk;
}

std::optional<std::string> FakeUi::BrowseForFolder(const std::string& title, unsigned flags) {
    browseRequests.emplace_back(title, flags);
    return browseAnswer;
}

void FakeUi::EndProgram() {
    ended = true;
    throw ProgramEnded{};
}

}  // namespace quelbrin::fake
