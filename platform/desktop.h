#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/noncopyable.h"

namespace quelbrin {

// The window that has the keyboard focus, as far as the keystrokes go.
struct ForegroundWindow {
    bool exists = false;
    std::uint32_t processId = 0;
    std::string title;
    // Titles of its owner, that one's owner and so on, nearest first.
    std::vector<std::string> ownerTitles;
};

// Asked right before each key goes out; false holds that key and the
// rest of the call back.
using KeyGate = std::function<bool()>;

// Top-level windows and keystrokes.
class Desktop : public Interface {
public:
    // True when a top-level window with this title exists, hidden or not;
    // letter case is ignored, as FindWindowW ignores it. Throws ErrorInfo.
    virtual bool FindWindow(const std::string& title) = 0;
    // Brings the window with this title (or, failing that, a visible one
    // whose title begins with it) to the front; while it shows a modal box
    // of its own, that box. Same title rule as FindWindow. Throws ErrorInfo
    // when there is none.
    virtual void AppActivate(const std::string& title) = 0;
    virtual ForegroundWindow Foreground() = 0;
    // Types keys in "{TAB}{ENTER}" notation into the focused window, one
    // key at a time (with its Shift, Ctrl or Alt, in one piece of input),
    // each only once `gate` (when given) allows it right before. True when
    // every key was typed; false when the gate held one back or the system
    // refused the input (a locked workstation). With `wait`, KeysRead tells
    // afterwards whether the focused window's thread has read them; SendKeys
    // itself never waits on that thread. Throws ErrorInfo on malformed notation.
    virtual bool SendKeys(const std::string& keys, bool wait, const KeyGate& gate) = 0;
    // After SendKeys with `wait`: true once the thread of the window that had
    // the focus has read every key typed, or that window has gone. Asks
    // without waiting: a thread that works between two messages answers late.
    virtual bool KeysRead() = 0;
    // False while input goes to another desktop than this program's: the
    // lock screen, Ctrl+Alt+Del, a UAC prompt's secure desktop.
    virtual bool OnInputDesktop() = 0;
    // Milliseconds since the user's own last key or mouse input; the keys
    // this program typed do not count.
    virtual std::int64_t UserIdleMs() = 0;
    // True while the user holds Shift, Ctrl, Alt or a Windows key: keys
    // typed now would combine with it.
    virtual bool ModifiersHeld() = 0;
    // The title as a program of the system's ANSI code page gets it from
    // its command line: "?" or a similar letter for what the code page lacks.
    virtual std::string AnsiRoundTrip(const std::string& title) = 0;
};

}  // namespace quelbrin
