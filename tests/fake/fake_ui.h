#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/ui.h"
#include "tests/fake/fake_controls.h"
#include "tests/fake/fake_desktop.h"

namespace quelbrin::fake {

// Thrown by EndProgram: unwinds the logic without running any handler.
struct ProgramEnded {};
// Thrown when the program pumps or waits far longer than any test needs; no handler catches it.
struct LoopNeverEnds {
    std::string what;
};

// Moves only while the program waits (pump calls take no time, as they nearly do on Windows).
class FakeClock : public Clock {
public:
    std::int64_t NowMs() override { return now; }
    std::int64_t now = 0;
};

// The taskbar button as the platform's layer drives it: nothing shows before the shell's
// "TaskbarButtonCreated" (the first pump after Show()), nor ever where COM fails; the state
// asked for meanwhile shows once the button is there. Records what it shows, in order:
// "progress 1/3", "error", "clear", "paused", "resumed", and "flash" (no COM needed).
class FakeTaskbarButton : public TaskbarButton {
public:
    void ShowProgress(int done, int total) override;
    void ShowError() override { Set("error"); }
    void ClearProgress() override { Set("clear"); }
    void ShowPaused(bool paused) override;
    bool InFront() const override { return inFront && inFront(); }
    void Flash() override { calls.push_back("flash"); }
    void ButtonCreated();  // the shell's message; again after Explorer restarted

    std::vector<std::string> calls;
    std::function<bool()> inFront;
    bool comFails = false;
    bool created = false;

private:
    void Set(const std::string& state);
    bool Usable() const { return created && !comFails; }
    std::string state_ = "clear";
    bool paused_ = false;
};

class FakeMainWindow : public MainWindowView {
public:
    FakeMainWindow(MainFormEvents& events, const FileSystem& files, const layout::MainWindowDesign& design);
    TextControl& BtExit() override { return btExit; }
    TextControl& BtAbout() override { return btAbout; }
    TextControl& BtStart() override { return btStart; }
    TextControl& BtInst() override { return btInst; }
    TextControl& BtBrowse() override { return btBrowse; }
    TextControl& TxPath() override { return txPath; }
    FileListBox& FileList() override { return fileList; }
    TextControl& Status2() override { return status2; }
    TextControl& Status1() override { return status1; }
    void SetStatus2Tip(const std::string& text) override { status2Tip = text; }
    void Show() override { shown = true; }
    // Logged too ("busy=1"): where the focus moves, among the controls' changes.
    void SetBusy(bool busy) override {
        busyCalls.push_back(busy);
        log.push_back(busy ? "busy=1" : "busy=0");
    }
    TaskbarButton& Taskbar() override { return taskbar; }
    // Records the menu ("-" a separator, "(off)" after a disabled entry), runs
    // the events of the next menuOpenMs as the menu's modal loop does, then
    // gives onFileMenu's answer (none: closed without a choice).
    int ShowFileMenu(std::span<const MenuCommand> commands) override;
    void ShowFileMarks(std::span<const FileMark> shown) override { marks.assign(shown.begin(), shown.end()); }
    void KeysHeldBack() override { ++heldBackPasses; }

    ControlLog log;
    std::vector<bool> busyCalls;
    std::vector<std::vector<std::string>> menusShown;  // every context menu shown, its commands in order
    std::function<int()> onFileMenu;
    int menuOpenMs = 500;  // how long the user takes to choose
    std::function<void(int)> modalLoop;
    std::vector<FileMark> marks;
    FakeTextControl btExit, btAbout, btStart, btInst, btBrowse, txPath, status2, status1;
    FakeFileList fileList;
    bool shown = false;
    std::string status2Tip;
    FakeTaskbarButton taskbar;
    std::vector<std::string> liveRegionEvents;
    int heldBackPasses = 0;
};

class FakeDialog : public DialogView {
public:
    FakeDialog() : txPathInst("TxPathInst", log) {}
    TextControl& TxPathInst() override { return txPathInst; }
    void Unload() override { unloaded = true; }
    ControlLog log;
    FakeTextControl txPathInst;
    bool unloaded = false;
};

struct MessageBoxShown {
    std::string text;
    std::string title;
    int style = 0;
    bool mainWindowShown = false;
};

class FakeUi : public Ui {
public:
    FakeUi(const FileSystem& files, FakeDesktop& desktop, FakeClock& clock)
        : files_(files), desktop_(desktop), clock_(clock) {}

    std::unique_ptr<MainWindowView> CreateMainWindow(MainFormEvents& events,
                                                     const layout::MainWindowDesign& design) override;
    void ShowDialog(DialogEvents& events, const layout::DialogDesign& design) override;
    void DoEvents() override;
    void WaitForEvents(int milliseconds, Process* process) override;
    // A modal loop of Windows' own (a menu): it dispatches what comes meanwhile.
    void RunModalLoop(int milliseconds);
    int MsgBox(const std::string& text, const std::string& title, int style) override;
    std::optional<std::string> BrowseForFolder(const std::string& title, unsigned flags) override;
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    [[noreturn]] void EndProgram() override;
    std::string clipboard;

    FakeMainWindow* window = nullptr;  // the one CreateMainWindow made
    MainFormEvents* events = nullptr;

    std::multimap<long, std::function<void()>> atDoEvents;  // run in the DoEvents call of that number (1: the first)
    // Input the user gives at that time (ms on the clock): it wakes a wait and is handled by the next DoEvents.
    std::multimap<std::int64_t, std::function<void()>> atTime;
    // Past this many pump calls or this much clock time, LoopNeverEnds.
    long maxDoEventsCalls = 500L * 10001;
    std::int64_t maxClockMs = 3600 * 1000;
    std::function<void(long)> onDoEvents;  // run in every DoEvents call, with its number
    long doEventsCalls = 0;

    std::vector<MessageBoxShown> messageBoxes;

    std::optional<std::string> browseAnswer;
    std::vector<std::pair<std::string, unsigned>> browseRequests;

    // What the user does while the dialog is up; returning without Unload is the close box.
    std::function<void(FakeDialog&, DialogEvents&)> dialogScript;
    int dialogsShown = 0;
    std::unique_ptr<FakeDialog> lastDialog;

    bool ended = false;

private:
    const FileSystem& files_;
    FakeDesktop& desktop_;
    FakeClock& clock_;
};

}  // namespace quelbrin::fake
