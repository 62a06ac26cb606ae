#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "tests/fake/fake_controls.h"
#include "tests/fake/fake_desktop.h"

namespace quelbrin::fake {

// Thrown by EndProgram: unwinds the logic without running any handler.
struct ProgramEnded {};

class FakeMainWindow : public MainWindowView {
public:
    FakeMainWindow(MainFormEvents& events, const FileSystem& files);
    TextControl& BtExit() override { return btExit; }
    TextControl& BtAbout() override { return btAbout; }
    TextControl& BtStart() override { return btStart; }
    TextControl& BtInst() override { return btInst; }
    TextControl& BtBrowse() override { return btBrowse; }
    TextControl& TxPath() override { return txPath; }
    FileListBox& FileList() override { return fileList; }
    TextControl& Status2() override { return status2; }
    TextControl& Status1() override { return status1; }
    void Show() override { shown = true; }

    ControlLog log;
    FakeTextControl btExit, btAbout, btStart, btInst, btBrowse, txPath, status2, status1;
    FakeFileList fileList;
    bool shown = false;
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
    FakeUi(const FileSystem& files, FakeDesktop& desktop) : files_(files), desktop_(desktop) {}

    std::unique_ptr<MainWindowView> CreateMainWindow(MainFormEvents& events) override;
    void ShowDialog(DialogEvents& events) override;
    void DoEvents() override;
    void WaitForEvents(int milliseconds, Process* process) override;
    int MsgBox(const std::string& text, const std::string& title, int style) override;
    std::optional<std::string> BrowseForFolder(const std::string& title, unsigned flags) override;
    [[noreturn]] void EndProgram() override;

    // The window CreateMainWindow made; null before.
    FakeMainWindow* window = nullptr;
    MainFormEvents* events = nullptr;

    // Run during the DoEvents call with that number (1 = the first).
    std::multimap<long, std::function<void()>> atDoEvents;
    // Run during every DoEvents call, with its number.
    std::function<void(long)> onDoEvents;
    long doEventsCalls = 0;
    long waitCalls = 0;
    long waitedMs = 0;

    std::vector<MessageBoxShown> messageBoxes;
    std::function<void(const MessageBoxShown&)> onMessageBox;

    std::optional<std::string> browseAnswer;
    std::vector<std::pair<std::string, unsigned>> browseRequests;

    // What the user does while the dialog is up; returning without Unload is
    // the close box.
    std::function<void(FakeDialog&, DialogEvents&)> dialogScript;
    int dialogsShown = 0;
    std::unique_ptr<FakeDialog> lastDialog;

    bool ended = false;

private:
    const FileSystem& files_;
    FakeDesktop& desktop_;
};

}  // namespace quelbrin::fake
