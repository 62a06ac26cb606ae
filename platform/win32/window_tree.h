#pragma once
#include "platform/window_rules.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// The top-level windows of this desktop, for the portable window rules.
class DesktopWindowTree final : public WindowTree {
public:
    static Window Of(HWND window) { return reinterpret_cast<Window>(window); }
    static HWND Handle(Window window) { return reinterpret_cast<HWND>(window); }

    Window Owner(Window window) const override { return Of(GetWindow(Handle(window), GW_OWNER)); }
    Window RootOwner(Window window) const override { return Of(GetAncestor(Handle(window), GA_ROOTOWNER)); }
    Window LastActivePopup(Window window) const override { return Of(GetLastActivePopup(Handle(window))); }
    bool Visible(Window window) const override { return IsWindowVisible(Handle(window)) != FALSE; }
    bool Enabled(Window window) const override { return IsWindowEnabled(Handle(window)) != FALSE; }
};

}  // namespace quelbrin::win32
