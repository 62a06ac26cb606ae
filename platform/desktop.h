#pragma once
#include <cstdint>
#include <string>

#include "platform/noncopyable.h"

namespace quelbrin {

// The window that has the keyboard focus, as far as the keystrokes go.
struct ForegroundWindow {
    bool exists = false;
    std::uint32_t processId = 0;
    std::string title;
};

// Top-level windows and keystrokes.
class Desktop : public Interface {
public:
    // True when a top-level window with this title exists (compared as the
    // platform's FindWindow compares). Throws ErrorInfo on failure.
    virtual bool FindWindow(const std::string& title) = 0;
    // Brings the window with this title (or, failing that, one whose title
    // begins with it) to the front. Throws ErrorInfo when there is none.
    virtual void AppActivate(const std::string& title) = 0;
    virtual ForegroundWindow Foreground() = 0;
    // Types keys in "{TAB}{ENTER}" notation into the focused window. False
    // when the system refused the input (a locked workstation); with `wait`
    // returns once the focused window's thread has processed them.
    virtual bool SendKeys(const std::string& keys, bool wait) = 0;
};

}  // namespace quelbrin
