#include "platform/win32/main_window.h"

#include <new>
#include <utility>
#include <vector>

#include <commctrl.h>
#include <windowsx.h>

#include "platform/error_info.h"
#include "platform/screen_place.h"
#include "platform/win32/app_icon.h"
#include "platform/win32/child_window.h"
#include "platform/win32/file_marks.h"
#include "platform/win32/held_back_query.h"
#include "platform/win32/live_text_control.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/utf.h"
#include "platform/win32/window_classes.h"

namespace quelbrin::win32 {

namespace {

// Posted by Show(): the window has had its first paint.
constexpr UINT kAfterFirstPaint = WM_APP + 1;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// Push buttons only: none of them is the default button, so Enter presses none.
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kTextBoxStyle = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
// Owner-drawn for the marks beside the names, which it keeps as its strings;
// LBS_WANTKEYBOARDINPUT brings Ctrl+C to us.
constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT;
// Status lines: one sunken line, long texts cut with "...", "&" shown as is;
// SS_NOTIFY lets the mouse reach them, and so Status2's tooltip show.
constexpr DWORD kStatusStyle =
    SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_NOPREFIX | SS_SUNKEN | SS_NOTIFY;

// Centred on the primary monitor's work area.
POINT CentredOnWorkArea(const RECT& work, SIZE size) {
    const layout::ScreenRect area{work.left, work.top, work.right, work.bottom};
    const layout::ScreenPoint at = layout::CentredWithin(area, size.cx, size.cy, area);
    return POINT{at.x, at.y};
}

// A status line; screen readers read out the new text of a live one.
std::unique_ptr<WindowTextControl> MakeStatusLine(HWND control, const layout::MainWindowDesign& design,
                                                  layout::ControlId id) {
    for (const layout::ControlId live : design.liveRegions)
        if (live == id) return std::make_unique<LiveTextControl>(control);
    return std::make_unique<WindowTextControl>(control);
}

}  // namespace

MainWindow::MainWindow(MainFormEvents& events, const FileSystem& files,
                       const layout::MainWindowDesign& design)
    : events_(events), files_(files),
      layout_(kStyle, kExStyle, design.clientWidth, design.clientHeight),
      heldBackQuery_(HeldBackPassesQuery()), design_(design) {
    RegisterClassOnce(kMainWindowClass, nullptr, nullptr);
    // Sized and placed for the DPI of the monitor it opens on, so that the
    // layout below keeps its size and it stays centred.
    const HMONITOR monitor = PrimaryMonitor();
    const SIZE outer = layout_.WindowSize(MonitorDpi(monitor));
    const POINT at = CentredOnWorkArea(WorkArea(monitor), outer);
    Create(kExStyle, kMainWindowClass, Widen(design.title).c_str(), kStyle, at.x, at.y,
           outer.cx, outer.cy, nullptr);

    CreateControls(design);
    layout_.Apply(Handle(), WindowDpi(Handle()));
    FitFileEntries();
    // The caption's small icon now; the big one after the first paint.
    AttachAppIcon(Handle(), ICON_SMALL, layout_.Dpi(), icons_);
    taskbar_ = std::make_unique<TaskbarProgress>(Handle());
}

MainWindow::~MainWindow() {
    if (accessibleNames_) accessibleNames_->Clear();
    Destroy();
}

void MainWindow::CreateControls(const layout::MainWindowDesign& design) {
    std::vector<std::pair<int, HWND>> tabOrder;
    for (const layout::ControlSpec& spec : design.controls) {
        HWND control = nullptr;
        CaptionRoom room = CaptionRoom::None;
        switch (spec.kind) {
        case layout::Kind::Button:
            control = CreateChildControl(Handle(), L"BUTTON", spec.caption, kButtonStyle, 0, spec.id);
            room = CaptionRoom::Button;
            break;
        case layout::Kind::TextBox:
            control = CreateChildControl(Handle(), L"EDIT", spec.caption, kTextBoxStyle,
                                         WS_EX_CLIENTEDGE, spec.id);
            break;
        case layout::Kind::FileList:
            control = CreateChildControl(Handle(), L"LISTBOX", "", kListStyle, WS_EX_CLIENTEDGE, spec.id);
            break;
        case layout::Kind::Label:
            control = CreateChildControl(Handle(), L"STATIC", spec.caption, kStatusStyle, 0, spec.id);
            break;
        }
        layout_.Add(control, TwipsRect{spec.left, spec.top, spec.width, spec.height}, spec.boldSansSerif, room);
        if (spec.tooltip) tips_.emplace_back(control, spec.tooltip);
        tabOrder.emplace_back(spec.tabIndex, control);

        switch (spec.id) {
        case layout::IdBtExit: btExit_ = std::make_unique<WindowTextControl>(control); break;
        case layout::IdBtAbout: btAbout_ = std::make_unique<WindowTextControl>(control); break;
        case layout::IdBtStart: btStart_ = std::make_unique<WindowTextControl>(control); break;
        case layout::IdBtInst: btInst_ = std::make_unique<WindowTextControl>(control); break;
        case layout::IdBtBrowse: btBrowse_ = std::make_unique<WindowTextControl>(control); break;
        case layout::IdStatus2: status2_ = MakeStatusLine(control, design, spec.id); break;
        case layout::IdStatus1: status1_ = MakeStatusLine(control, design, spec.id); break;
        case layout::IdTxPath:
            txPath_ = std::make_unique<EditControl>(control, [this] { events_.TxPath_Change(); });
            break;
        case layout::IdFileList:
            fileList_ = std::make_unique<FileListControl>(control, files_, design.listFilter,
                                                          [this] { events_.FileList_Click(); });
            break;
        }
    }
    ApplyTabOrder(tabOrder);
    focus_.Remember(GetNextDlgTabItem(Handle(), nullptr, FALSE));
}

void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    SetForegroundWindow(Handle());
    if (!tips_.empty() || !icons_.big || !accessibleNames_) PostMessageW(Handle(), kAfterFirstPaint, 0, 0);
}

void MainWindow::AfterFirstPaint() {
    // A failure here leaves the window working, only without what could not
    // be made (out of memory or window handles).
    if (!tips_.empty()) {
        try {
            tooltips_ = std::make_unique<Tooltips>(Handle());
            for (const auto& [control, text] : tips_) tooltips_->Add(control, text);
            tooltips_->AddAsked(status2_->Handle());
            tooltips_->AddAsked(status1_->Handle());
            tooltips_->AddAsked(fileList_->Handle(), /*relayed=*/true);
            tooltips_->SetDpi(layout_.Dpi());
        } catch (const ErrorInfo&) {
        }
        tips_.clear();
        tips_.shrink_to_fit();
    }
    if (!icons_.big) {
        try {
            AttachAppIcon(Handle(), ICON_BIG, layout_.Dpi(), icons_);
        } catch (const ErrorInfo&) {
        }
    }
    // The names for screen readers, and with them COM and ole32.
    if (!accessibleNames_) {
        try {
            accessibleNames_ = std::make_unique<AccessibleNames>(Handle(), design_);
        } catch (const std::bad_alloc&) {
        }
    }
}

void MainWindow::SetBusy(bool busy) {
    const HWND exit = btExit_->Handle();
    if (busy) {
        SetPropW(exit, kBusyProperty, reinterpret_cast<HANDLE>(1));
        // Disabling the control that has the focus leaves no focus at all;
        // keys then come as WM_SYSKEYDOWN, which no dialog handling reads, and
        // Esc would do nothing. So the focus moves to "Cancel / Exit" first.
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) {
            focusBeforeBusy_ = focus == exit ? nullptr : focus;
            SetFocus(exit);
        } else {  // not active now: "Cancel / Exit" gets the focus when it is
            focusBeforeBusy_ = focus_.Remembered() == exit ? nullptr : focus_.Remembered();
            focus_.Remember(exit);
        }
        return;
    }
    RemovePropW(exit, kBusyProperty);
    const HWND back = std::exchange(focusBeforeBusy_, nullptr);
    if (!back || !IsWindowEnabled(back)) return;
    const HWND focus = GetFocus();
    if (focus == exit || (!focus && GetActiveWindow() == Handle()))
        SetFocus(back);
    else if (!focus)
        focus_.Remember(back);  // given back when the window is activated
}

// Asked for when it is about to show, with the text as it is then.
void MainWindow::SetStatus2Tip(const std::string& text) { status2Tip_ = text; }

int MainWindow::ShowFileMenu(std::span<const MenuCommand> commands) {
    return ShowPopupMenu(Handle(), fileMenuAt_, commands);
}

void MainWindow::ShowFileMarks(std::span<const FileMark> marks) {
    marks_.assign(marks.begin(), marks.end());
    InvalidateRect(fileList_->Handle(), nullptr, TRUE);
    // Screen readers hear the outcome with the name; LB_GETTEXT keeps the name.
    std::vector<std::wstring> names(marks_.size());
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (!marks_[i].text.empty())
            names[i] = Widen(fileList_->List(static_cast<int>(i)) + ", " + marks_[i].text);
    if (accessibleNames_) accessibleNames_->NameListEntries(fileList_->Handle(), names);
    if (tooltips_) tooltips_->Pop();
}

void MainWindow::FitFileEntries() {
    SendMessageW(fileList_->Handle(), LB_SETITEMHEIGHT, 0, FileEntryHeight(fileList_->Handle()));
    InvalidateRect(fileList_->Handle(), nullptr, TRUE);
}

std::string MainWindow::TipFor(HWND control) {
    if (control == fileList_->Handle()) {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(control, &at);
        const int index = FileEntryAt(control, at);
        return index >= 0 && static_cast<std::size_t>(index) < marks_.size() ? marks_[index].text : std::string();
    }
    // A status line: its whole text where it does not fit, and Status2's own tip.
    const std::string own = control == status2_->Handle() ? status2Tip_ : std::string();
    if (TextFits(control)) return own;
    const std::string text = control == status2_->Handle() ? status2_->Text() : status1_->Text();
    return own.empty() ? text : text + "\r\n" + own;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (taskbar_ && taskbar_->IsButtonCreated(message)) {
        taskbar_->OnButtonCreated();
        return 0;
    }
    if (heldBackQuery_ && message == heldBackQuery_) return heldBackPasses_;
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CLOSE:
        events_.Form_Unload();
        return 0;
    case kAfterFirstPaint:
        AfterFirstPaint();
        return 0;
    case WM_ACTIVATE:
        if (focus_.OnActivate(Handle(), wParam)) return 0;
        break;
    case WM_MEASUREITEM: {  // the real height comes with the font (FitFileEntries)
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_LISTBOX) break;
        measure->itemHeight = 16;
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTBOX) break;
        const FileMarkShape shape =
            item->itemID < marks_.size() ? marks_[item->itemID].shape : FileMarkShape::None;
        DrawFileEntry(*item, shape);
        return TRUE;
    }
    case WM_VKEYTOITEM:
        if (LOWORD(wParam) == 'C' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            events_.FileList_Copy();
            return -2;
        }
        return -1;
    case kFileListMouseMove: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int entry = FileEntryAt(reinterpret_cast<HWND>(wParam), at);
        if (entry != std::exchange(tipEntry_, entry) && tooltips_) tooltips_->Pop();
        if (tooltips_) tooltips_->Relay(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!tooltips_ || header->hwndFrom != tooltips_->Handle() || header->code != TTN_GETDISPINFOW) break;
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        askedTip_ = Widen(TipFor(reinterpret_cast<HWND>(header->idFrom)));
        info->lpszText = askedTip_.data();
        info->szText[0] = L'\0';
        info->hinst = nullptr;
        return 0;
    }
    case WM_CONTEXTMENU:
        // The list box's own handling hands a right click, Shift+F10 and the
        // menu key up to us.
        if (fileList_ && reinterpret_cast<HWND>(wParam) == fileList_->Handle()) {
            const ListMenuRequest request = ListMenuRequestFor(fileList_->Handle(), lParam);
            fileMenuAt_ = request.at;
            events_.FileList_ContextMenu(request.index);
            return 0;
        }
        break;
    case WM_GETDPISCALEDSIZE:
    case WM_DPICHANGED:
        return layout_.HandleDpiMessage(Handle(), message, wParam, lParam, [this](int dpi) { AfterDpiChange(dpi); });
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void MainWindow::AfterDpiChange(int dpi) {
    FitFileEntries();
    if (tooltips_) tooltips_->SetDpi(dpi);
    icons_ = AttachAppIcons(Handle(), dpi);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    // IDOK (Enter with no button to press) and anything else: nothing.
    switch (id) {
    case layout::IdTxPath:
        if (code == EN_CHANGE && txPath_) txPath_->OnEditChanged();
        return;
    case layout::IdFileList:
        if (code == LBN_SELCHANGE) events_.FileList_Click();
        if (code == LBN_DBLCLK) events_.FileList_DblClick();
        return;
    default:
        break;
    }
    if (code != BN_CLICKED) return;
    // Esc reaches here as IDCANCEL through IsDialogMessage; a disabled
    // button must not answer to it.
    const HWND button = GetDlgItem(Handle(), id);
    if (!button || (control && control != button) || !IsWindowEnabled(button)) return;
    switch (id) {
    case layout::IdBtExit: events_.BtExit_Click(); break;
    case layout::IdBtAbout: events_.BtAbout_Click(); break;
    case layout::IdBtStart: events_.BtStart_Click(); break;
    case layout::IdBtInst: events_.BtInst_Click(); break;
    case layout::IdBtBrowse: events_.BtBrowse_Click(); break;
    default: break;
    }
}

}  // namespace quelbrin::win32
