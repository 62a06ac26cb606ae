#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A window whose messages go to a virtual member. `this` travels in
// lpCreateParams, is kept in GWLP_USERDATA from WM_NCCREATE on and is
// forgotten at WM_NCDESTROY. No exception leaves the window procedure.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    WindowBase() = default;
    // Destroys the window if it still exists, without calling HandleMessage.
    virtual ~WindowBase();

    // Registers a window class of this program once per process.
    static void RegisterClassOnce(const wchar_t* className, HICON icon, HICON smallIcon);
    // Creates the window with this object as its handler. Throws ErrorInfo.
    void Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                int x, int y, int width, int height, HWND owner);
    // Destroys the window now; derived classes call it from their destructor
    // so that no message reaches a half-destroyed object.
    void Destroy();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace quelbrin::win32
