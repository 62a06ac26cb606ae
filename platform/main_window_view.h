#pragma once
#include <span>
#include <string>

#include "platform/controls.h"
#include "platform/taskbar_button.h"

namespace quelbrin {

// Events of the main window, raised by the platform's window.
class MainFormEvents : public Interface {
public:
    virtual void Form_Load() = 0;
    virtual void Form_Unload() = 0;
    virtual void BtExit_Click() = 0;
    virtual void BtAbout_Click() = 0;
    virtual void BtBrowse_Click() = 0;
    virtual void TxPath_Change() = 0;
    virtual void FileList_Click() = 0;
    virtual void FileList_DblClick() = 0;
    // A right click, Shift+F10 or the menu key on the file list: the entry
    // under the pointer, or the selected one from the keyboard; -1 for none
    // (empty space, or nothing selected).
    virtual void FileList_ContextMenu(int index) = 0;
    virtual void BtInst_Click() = 0;
    virtual void BtStart_Click() = 0;
    // Ctrl+C in the file list.
    virtual void FileList_Copy() = 0;
};

// The mark left of a file list entry: one shape for each outcome of a file
// of the last install command, none for the others.
enum class FileMarkShape { None, Installed, EndedWithoutWindow, Failed, NotReached, BeingInstalled };

struct FileMark {
    FileMarkShape shape = FileMarkShape::None;
    // Said for it: its tooltip, and what screen readers hear after the name.
    std::string text;
};

// One entry of a context menu; a null text is a separator.
struct MenuCommand {
    const char* text = nullptr;
    bool enabled = true;
};

// The main window's controls. Created hidden; Show() makes it visible.
class MainWindowView : public Interface {
public:
    virtual TextControl& BtExit() = 0;
    virtual TextControl& BtAbout() = 0;
    virtual TextControl& BtStart() = 0;
    virtual TextControl& BtInst() = 0;
    virtual TextControl& BtBrowse() = 0;
    virtual TextControl& TxPath() = 0;
    virtual FileListBox& FileList() = 0;
    virtual TextControl& Status2() = 0;
    virtual TextControl& Status1() = 0;
    // The tooltip of Status2; the empty text removes it.
    virtual void SetStatus2Tip(const std::string& text) = 0;
    virtual void Show() = 0;
    // Said when an install command starts and when it ends. While busy the
    // keyboard focus rests on "Cancel / Exit" (the other controls are
    // disabled), so Esc keeps working and the keys typed for the installer
    // press nothing; afterwards it goes back where it was.
    virtual void SetBusy(bool busy) = 0;
    virtual TaskbarButton& Taskbar() = 0;
    // Shows the file list's context menu where it was asked for and waits
    // for the user: the position of the chosen command, or -1 when the menu
    // was closed without one.
    virtual int ShowFileMenu(std::span<const MenuCommand> commands) = 0;
    // The marks of the file list's entries, by position; entries past the
    // end have none. Kept until the next call.
    virtual void ShowFileMarks(std::span<const FileMark> marks) = 0;
    // Said after an answer pass whose keys did not all go out: the
    // installer's window was not in front, a modifier key was held, or the
    // system refused the input. The window counts these passes.
    virtual void KeysHeldBack() = 0;
};

// The About and settings dialog while it is shown.
class DialogView : public Interface {
public:
    virtual TextControl& TxPathInst() = 0;
    // Closes the dialog; the modal call that showed it then returns.
    virtual void Unload() = 0;
};

class DialogEvents : public Interface {
public:
    virtual void Form_Load(DialogView& dialog) = 0;
    virtual void OKButton_Click(DialogView& dialog) = 0;
};

}  // namespace quelbrin
