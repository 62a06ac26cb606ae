#pragma once
// Drives a modal loop that the code under test runs on this thread (a
// message box, the folder picker, a dialog). Steps run from a thread timer
// inside the loop, one after the other; a step that returns false is asked
// again at the next tick, which comes only once the queue is empty (so what
// a step posted has been handled when the next one runs). A watchdog ends a
// loop whose steps are not done in time: it fails the test and closes the
// thread's windows of the dialog class, so that no test waits for ever.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/win32/windows_wrapper.h"
#include "tests/support/wait_until.h"

namespace quelbrin::test {

class ModalDriver {
public:
    using Step = std::function<bool()>;
    explicit ModalDriver(std::vector<Step> steps, const wchar_t* dialogClass = L"#32770")
        : steps_(std::move(steps)), dialogClass_(dialogClass),
          tick_(SetTimer(nullptr, 0, 10, Tick)), watchdog_(SetTimer(nullptr, 0, ScaledMs(10000), Watchdog)) {
        current_ = this;
    }
    ~ModalDriver() {
        KillTimer(nullptr, tick_);
        KillTimer(nullptr, watchdog_);
        current_ = nullptr;
    }
    static Step Once(std::function<void()> action) { return [action = std::move(action)] { return action(), true; }; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (ModalDriver* d = current_; d && d->next_ < d->steps_.size() && d->steps_[d->next_]()) ++d->next_;
    }
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
        ModalDriver* d = current_;
        if (!d || d->next_ >= d->steps_.size()) return;
        ADD_FAILURE() << "the modal window's steps were not done in time (" << d->next_ << " of " << d->steps_.size() << ")";
        d->next_ = d->steps_.size();
        EnumThreadWindows(GetCurrentThreadId(), Close, reinterpret_cast<LPARAM>(d->dialogClass_));
    }
    static BOOL CALLBACK Close(HWND window, LPARAM dialogClass) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpW(name, reinterpret_cast<const wchar_t*>(dialogClass)) == 0) {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }

    static inline ModalDriver* current_ = nullptr;
    std::vector<Step> steps_;
    const wchar_t* dialogClass_;
    std::size_t next_ = 0;
    UINT_PTR tick_, watchdog_;
};

}  // namespace quelbrin::test
