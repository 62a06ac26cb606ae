#include "platform/win32/tooltips.h"

#include <commctrl.h>

#include "platform/twips.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {
// Long tips wrap at this width instead of running across the screen.
constexpr int kMaxTipWidthTwips = 4500;
}

Tooltips::Tooltips(HWND owner)
    : owner_(owner),
      tooltip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {
    if (!tooltip_) ThrowLastError("CreateWindowExW");
}

void Tooltips::SetDpi(int dpi) {
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, layout::TwipsToPixels(kMaxTipWidthTwips, dpi));
}

void Tooltips::Set(HWND control, const std::string& text) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));  // none there is no fault
    if (!text.empty()) Add(control, text);
}

void Tooltips::Add(HWND control, const std::string& text) {
    std::wstring wide = Widen(text);
    TOOLINFOW info{};
    // The size every common controls version accepts (without lpReserved).
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();  // copied by the control
    if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        throw MakeError(ERROR_NOT_ENOUGH_MEMORY, "TTM_ADDTOOLW");
}

}  // namespace quelbrin::win32

namespace quelbrin::win32 {

void Tooltips::AddAsked(HWND control, bool relayed) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | (relayed ? 0 : TTF_SUBCLASS);
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        throw MakeError(ERROR_NOT_ENOUGH_MEMORY, "TTM_ADDTOOLW");
}

void Tooltips::Pop() { SendMessageW(tooltip_, TTM_POP, 0, 0); }

void Tooltips::Relay(HWND control, LPARAM point) {
    MSG move{};
    move.hwnd = control;
    move.message = WM_MOUSEMOVE;
    move.lParam = point;
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

}  // namespace quelbrin::win32
