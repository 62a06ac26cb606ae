#pragma once
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A tooltip control that shows a text over each control given to it. It is
// owned by the window and goes with it.
class Tooltips {
public:
    // Throws ErrorInfo.
    explicit Tooltips(HWND owner);
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    void Add(HWND control, const std::string& text);
    // A tip whose text the owner gives when it is about to show, through
    // TTN_GETDISPINFOW; an empty answer shows none.
    // `relayed`: the tip does not subclass the control; the owner hands it
    // the control's mouse moves with Relay. Subclassed, every message to a
    // list box passes the tip's window procedure, and filling thousands of
    // entries takes several times as long under Wine.
    void AddAsked(HWND control, bool relayed = false);
    // A mouse move over a relayed control, at a point of its client area.
    void Relay(HWND control, LPARAM point);
    // Hides the tip showing now; it shows again, asking anew, when the
    // mouse rests.
    void Pop();
    // Replaces the control's tip; the empty text removes it.
    void Set(HWND control, const std::string& text);
    // Long tips wrap at a width that scales with the owner's DPI.
    void SetDpi(int dpi);
    HWND Handle() const { return tooltip_; }

private:
    HWND owner_;
    HWND tooltip_;
};

}  // namespace quelbrin::win32
