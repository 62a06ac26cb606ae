#include "platform/win32/settings_dialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/screen_place.h"
#include "platform/twips.h"
#include "platform/win32/app_icon.h"
#include "platform/win32/child_window.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/utf.h"
#include "platform/win32/window_classes.h"

namespace quelbrin::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kTextBoxStyle = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;
// The icon keeps its own size, centred in the picture's rectangle.
constexpr DWORD kPictureStyle = SS_ICON | SS_CENTERIMAGE | SS_REALSIZEIMAGE;
constexpr int kPictureIconTwips = layout::BasePixelsToTwips(48);

layout::ScreenRect Screen(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Over the owner's centre, kept on the work area of the owner's monitor:
// the primary one's would pull the dialog off a second monitor.
POINT CentredOver(HWND owner, SIZE size) {
    const RECT work = WorkArea(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST) : PrimaryMonitor());
    RECT over = work;
    if (owner) GetWindowRect(owner, &over);
    const layout::ScreenPoint at = layout::CentredWithin(Screen(over), size.cx, size.cy, Screen(work));
    return POINT{at.x, at.y};
}

// Disables the owner while the dialog is up; enables it again before the
// dialog goes, so that Windows hands the activation back to it.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner) : owner_(owner) {
        if (owner_) EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() {
        if (owner_) EnableWindow(owner_, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND owner_;
};

}  // namespace

SettingsDialog::SettingsDialog(HWND owner, DialogEvents& events, const layout::DialogDesign& design)
    : events_(events), layout_(kStyle, kExStyle, design.clientWidth, design.clientHeight) {
    RegisterClassOnce(kDialogWindowClass, nullptr, nullptr);
    // Sized for the owner's DPI first; the monitor it opens on then decides
    // the DPI it is laid out at.
    const SIZE outer = layout_.WindowSize(owner ? WindowDpi(owner) : ScreenDpi());
    const POINT at = CentredOver(owner, outer);
    Create(kExStyle, kDialogWindowClass, Widen(design.title).c_str(), kStyle, at.x, at.y,
           outer.cx, outer.cy, owner);

    CreateControls(design);
    layout_.Apply(Handle(), WindowDpi(Handle()));
    tooltips_->SetDpi(layout_.Dpi());
    icons_ = AttachAppIcons(Handle(), layout_.Dpi());
    ShowPictureIcon();
}

SettingsDialog::~SettingsDialog() { Destroy(); }

void SettingsDialog::CreateControls(const layout::DialogDesign& design) {
    tooltips_ = std::make_unique<Tooltips>(Handle());
    std::vector<std::pair<int, HWND>> tabOrder;
    for (const layout::DialogControlSpec& spec : design.controls) {
        const TwipsRect rect{spec.left, spec.top, spec.width, spec.height};
        HWND control = nullptr;
        CaptionRoom room = CaptionRoom::None;
        switch (spec.kind) {
        case layout::DialogKind::Picture:
            control = CreateChildControl(Handle(), L"STATIC", "", kPictureStyle, 0, spec.id);
            picture_ = control;
            pictureRect_ = rect;
            break;
        case layout::DialogKind::TextBox:
            control = CreateChildControl(Handle(), L"EDIT", spec.caption, kTextBoxStyle,
                                         WS_EX_CLIENTEDGE, spec.id);
            txPathInst_ = std::make_unique<EditControl>(control, nullptr);
            break;
        case layout::DialogKind::Button:
            control = CreateChildControl(Handle(), L"BUTTON", spec.caption, kButtonStyle, 0, spec.id);
            room = CaptionRoom::Button;
            break;
        case layout::DialogKind::Label:
            control = CreateChildControl(Handle(), L"STATIC", spec.caption, kLabelStyle, 0, spec.id);
            room = CaptionRoom::Label;
            break;
        }
        layout_.Add(control, rect, spec.boldSansSerif, room);
        if (spec.tooltip) tooltips_->Add(control, spec.tooltip);
        tabOrder.emplace_back(spec.tabIndex, control);
    }
    ApplyTabOrder(tabOrder);
    focus_.Remember(GetNextDlgTabItem(Handle(), nullptr, FALSE));
}

// The program's icon at 48 pixels a side at 96 DPI, scaled with the DPI,
// and never larger than the picture box.
void SettingsDialog::ShowPictureIcon() {
    if (!picture_) return;
    const int dpi = layout_.Dpi();
    const layout::PixelRect box = ToPixels(pictureRect_, dpi);
    const int fit = std::min({box.width, box.height, layout::TwipsToPixels(kPictureIconTwips, dpi)});
    UniqueIcon icon = LoadAppIcon(fit);
    SendMessageW(picture_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    pictureIcon_ = std::move(icon);  // the one shown before goes now
}

void SettingsDialog::AfterDpiChange(int dpi) {
    tooltips_->SetDpi(dpi);
    icons_ = AttachAppIcons(Handle(), dpi);
    ShowPictureIcon();
}

void SettingsDialog::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    SetForegroundWindow(Handle());
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // IDOK (Enter in the path box) and IDCANCEL (Esc) have no handler.
        if (LOWORD(wParam) == layout::IdOKButton && HIWORD(wParam) == BN_CLICKED)
            events_.OKButton_Click(*this);
        return 0;
    case WM_CLOSE:
        closed_ = true;  // the close box discards what was typed
        return 0;
    case WM_DESTROY:
        closed_ = true;
        break;
    case WM_ACTIVATE:
        if (focus_.OnActivate(Handle(), wParam)) return 0;
        break;
    case WM_GETDPISCALEDSIZE:
    case WM_DPICHANGED:
        return layout_.HandleDpiMessage(Handle(), message, wParam, lParam, [this](int dpi) { AfterDpiChange(dpi); });
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void ShowSettingsDialog(HWND owner, DialogEvents& events, const layout::DialogDesign& design) {
    SettingsDialog dialog(owner, events, design);
    events.Form_Load(dialog);
    bool quit = false;
    WPARAM exitCode = 0;
    {
        const OwnerDisabled disabled(owner);
        dialog.Show();
        MSG message;
        while (!dialog.Closed()) {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                quit = true;
                exitCode = message.wParam;
                break;
            }
            if (got == -1) break;
            DispatchWithKeyboardHandling(message);
        }
    }  // the owner is enabled here, before the dialog is destroyed
    // WM_QUIT belongs to the program's own loop.
    if (quit) PostQuitMessage(static_cast<int>(exitCode));
}

}  // namespace quelbrin::win32
