#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/main_window_view.h"
#include "platform/window_design.h"

namespace quelbrin {

class Process;

// Message box styles and answers, as the platform numbers them.
namespace msgbox {
constexpr int OkOnly = 0;
constexpr int Critical = 16;
constexpr int Information = 64;
constexpr int AnswerOk = 1;
}  // namespace msgbox

// Folder picker flags: file-system folders only, not below the domain level.
constexpr unsigned kBrowseFlags = 3;

class Ui : public Interface {
public:
    // Creates the main window hidden, with all its controls as designed.
    virtual std::unique_ptr<MainWindowView> CreateMainWindow(MainFormEvents& events,
                                                             const layout::MainWindowDesign& design) = 0;
    // Shows the About and settings dialog modally over the main window; raises
    // its Load, returns once it has been unloaded or closed.
    virtual void ShowDialog(DialogEvents& events, const layout::DialogDesign& design) = 0;
    // Processes all pending events of this program, then returns.
    virtual void DoEvents() = 0;
    // Sleeps until an event arrives, the process (if any) ends, or the time
    // passes. Never processes events itself.
    virtual void WaitForEvents(int milliseconds, Process* process) = 0;
    // A message box; an empty title is the main window's.
    virtual int MsgBox(const std::string& text, const std::string& title, int style) = 0;
    // The folder picker; nothing when the user cancels.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title,
                                                       unsigned flags) = 0;
    // Puts a text on the clipboard, in place of what it held. Throws ErrorInfo.
    virtual void SetClipboardText(const std::string& text) = 0;
    // Ends the program at once: no further events, windows destroyed.
    [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace quelbrin
