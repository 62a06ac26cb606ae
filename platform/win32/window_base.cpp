#include "platform/win32/window_base.h"

#include <exception>

#include "platform/error_info.h"
#include "platform/win32/unhandled_error.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

WindowBase::~WindowBase() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void WindowBase::RegisterClassOnce(const wchar_t* className, HICON icon, HICON smallIcon) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) return;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowBase::Procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) ThrowLastError("RegisterClassExW");
}

void WindowBase::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                        DWORD style, int x, int y, int width, int height, HWND owner) {
    const HWND hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, owner,
                                      nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd) ThrowLastError("CreateWindowExW");
}

void WindowBase::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const ErrorInfo& e) {
        ReportUnhandledError(hwnd, e.Description);
    } catch (const std::exception& e) {
        ReportUnhandledError(hwnd, e.what());
    } catch (...) {
        ReportUnhandledError(hwnd, "");
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace quelbrin::win32
