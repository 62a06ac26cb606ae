#pragma once
// Drives a modal loop that the code under test runs on this thread (a
// message box, the folder picker, a dialog). Steps run from a thread timer
// inside the loop, one after the other; a step that returns false is asked
// again at the next tick. A tick comes only once the queue is empty, so
// whatever a step posted has been handled when the next one runs. A
// watchdog ends a loop whose steps are not done in time: it fails the test
// and closes the thread's windows of the dialog class, so that no test
// waits for ever.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

#include "platform/win32/windows_wrapper.h"
#include "tests/support/wait_until.h"

namespace quelbrin::test {

class ModalDriver {
public:
    using Step = std::function<bool()>;

    explicit ModalDriver(std::vector<Step> steps, const wchar_t* dialogClass = L"#32770",
                         std::chrono::milliseconds deadline = std::chrono::seconds(10))
        : steps_(std::move(steps)), dialogClass_(dialogClass) {
        current_ = this;
        tick_ = SetTimer(nullptr, 0, 10, Tick);
        watchdog_ = SetTimer(nullptr, 0, ScaledMs(deadline.count()), Watchdog);
    }
    ~ModalDriver() {
        KillTimer(nullptr, tick_);
        KillTimer(nullptr, watchdog_);
        current_ = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // A step that runs once.
    static Step Once(std::function<void()> action) {
        return [action = std::move(action)] {
            action();
            return true;
        };
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalDriver* d = current_;
        if (!d || d->next_ >= d->steps_.size()) return;
        if (d->steps_[d->next_]()) ++d->next_;
    }
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        ModalDriver* d = current_;
        if (!d) return;
        ADD_FAILURE() << "the modal window's steps were not done in time (" << d->next_ << " of " << d->steps_.size()
                      << ")";
        d->next_ = d->steps_.size();
        EnumThreadWindows(GetCurrentThreadId(), Close, reinterpret_cast<LPARAM>(d->dialogClass_));
    }
    static BOOL CALLBACK Close(HWND window, LPARAM dialogClass) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpW(name, reinterpret_cast<const wchar_t*>(dialogClass)) != 0) return TRUE;
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(window, WM_CLOSE, 0, 0);
        return TRUE;
    }

    static inline ModalDriver* current_ = nullptr;
    std::vector<Step> steps_;
    const wchar_t* dialogClass_;
    std::size_t next_ = 0;
    UINT_PTR tick_ = 0, watchdog_ = 0;
};

}  // namespace quelbrin::test
