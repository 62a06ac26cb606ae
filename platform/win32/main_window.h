#pragma once
#include <memory>
#include <vector>

#include "platform/file_system.h"
#include "platform/main_window_view.h"
#include "platform/window_design.h"
#include "platform/win32/dpi_layout.h"
#include "platform/win32/file_list_box.h"
#include "platform/win32/focus_memory.h"
#include "platform/win32/taskbar_progress.h"
#include "platform/win32/text_control.h"
#include "platform/win32/tooltips.h"
#include "platform/win32/accessible_names.h"
#include "platform/win32/app_icon.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"

namespace quelbrin::win32 {

// The main window "Quelbrin" with its nine controls; hidden until Show().
class MainWindow final : public WindowBase, public MainWindowView {
public:
    // Throws ErrorInfo.
    MainWindow(MainFormEvents& events, const FileSystem& files, const layout::MainWindowDesign& design);
    ~MainWindow() override;

    TextControl& BtExit() override { return *btExit_; }
    TextControl& BtAbout() override { return *btAbout_; }
    TextControl& BtStart() override { return *btStart_; }
    TextControl& BtInst() override { return *btInst_; }
    TextControl& BtBrowse() override { return *btBrowse_; }
    TextControl& TxPath() override { return *txPath_; }
    FileListBox& FileList() override { return *fileList_; }
    TextControl& Status2() override { return *status2_; }
    TextControl& Status1() override { return *status1_; }
    void SetStatus2Tip(const std::string& text) override;
    void Show() override;
    void SetBusy(bool busy) override;
    TaskbarButton& Taskbar() override { return *taskbar_; }
    int ShowFileMenu(std::span<const MenuCommand> commands) override;
    void ShowFileMarks(std::span<const FileMark> marks) override;
    void KeysHeldBack() override { ++heldBackPasses_; }

    // Null until the first paint is done (see AfterFirstPaint).
    HWND TooltipHandle() const { return tooltips_ ? tooltips_->Handle() : nullptr; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const layout::MainWindowDesign& design);
    // Icons and tooltips remade for a new DPI, once the controls are laid out.
    void AfterDpiChange(int dpi);
    void OnCommand(int id, int code, HWND control);
    // What the first paint does not need, posted by Show() so that it runs
    // once the window is on the screen: the big icon, the tooltips and the
    // names for screen readers.
    void AfterFirstPaint();
    // The file list's entry height for its font, after each layout.
    void FitFileEntries();
    // What an asked tooltip shows over a control now (empty: none).
    std::string TipFor(HWND control);

    MainFormEvents& events_;
    const FileSystem& files_;
    DpiLayout layout_;  // the current DPI, with the fonts made for it
    WindowIcons icons_;
    std::unique_ptr<Tooltips> tooltips_;
    std::vector<std::pair<HWND, const char*>> tips_;  // given to the tooltips after the first paint
    std::string status2Tip_;  // Status2's, when it has one
    std::vector<FileMark> marks_;  // by list position
    int tipEntry_ = -1;            // the entry under the mouse, for the list's tip
    std::wstring askedTip_;        // the text handed to the tooltip last
    std::unique_ptr<WindowTextControl> btExit_, btAbout_, btStart_, btInst_, btBrowse_;
    std::unique_ptr<WindowTextControl> status2_, status1_;
    std::unique_ptr<EditControl> txPath_;
    std::unique_ptr<FileListControl> fileList_;
    FocusMemory focus_;
    HWND focusBeforeBusy_ = nullptr;  // where the focus goes back when the install ends
    std::unique_ptr<TaskbarProgress> taskbar_;
    std::unique_ptr<AccessibleNames> accessibleNames_;
    POINT fileMenuAt_{};              // where the file list's menu was asked for (screen)
    const UINT heldBackQuery_;        // see held_back_query.h
    LRESULT heldBackPasses_ = 0;
    const layout::MainWindowDesign design_;  // its spans are the design's constant tables
};

}  // namespace quelbrin::win32
