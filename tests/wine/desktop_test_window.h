#pragma once
// A top-level window of the test program, run by a thread of its own (as
// another program's window would be), that records the keys it receives.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/top_level_window.h"
#include "tests/support/wait_until.h"

namespace quelbrin::test {

struct KeyMessage {
    UINT message;  // WM_KEYDOWN, WM_KEYUP or WM_CHAR
    WPARAM key;
    LPARAM flags;
    LONG time;  // GetMessageTime()
};

class TestWindow {
public:
    explicit TestWindow(const std::string& title, bool visible = true) : title_(title) {
        stallRelease_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        stallEntered_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, visible] { Run(visible); });
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return created_; });
    }
    ~TestWindow() {
        SetEvent(stallRelease_);
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(stallRelease_);
        CloseHandle(stallEntered_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    DWORD ThreadId() const { return threadId_; }

    std::vector<KeyMessage> Keys() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return keys_;
    }
    // The virtual keys of the WM_KEYDOWN messages so far.
    std::vector<WPARAM> KeysDown() const {
        std::vector<WPARAM> out;
        for (const KeyMessage& k : Keys())
            if (k.message == WM_KEYDOWN) out.push_back(k.key);
        return out;
    }
    std::size_t Count(UINT message) const {
        std::size_t n = 0;
        for (const KeyMessage& k : Keys()) n += k.message == message;
        return n;
    }
    // Makes the window's thread stop taking messages until EndStall, the
    // window goes or 30 s have passed; true once the thread has stopped.
    bool Stall() {
        PostMessageW(window_, kStallMessage, 0, 0);
        return WaitForSingleObject(stallEntered_, test::ScaledMs(10000)) == WAIT_OBJECT_0;
    }
    // Lets the thread go on; true when it was still held then, not freed
    // by the 30 s limit of the stall.
    bool EndStall() {
        int holding = kHolding;
        const bool held = stall_.compare_exchange_strong(holding, kReleased);
        SetEvent(stallRelease_);
        return held;
    }

private:
    static constexpr UINT kStallMessage = WM_APP + 1;
    enum { kNotStalled, kHolding, kReleased, kRanOut };

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: {
            std::lock_guard<std::mutex> lock(mutex_);
            keys_.push_back({message, wParam, lParam, GetMessageTime()});
            return 0;
        }
        case kStallMessage: {
            stall_ = kHolding;
            SetEvent(stallEntered_);
            int holding = kHolding;
            if (WaitForSingleObject(stallRelease_, test::ScaledMs(30000)) != WAIT_OBJECT_0)
                stall_.compare_exchange_strong(holding, kRanOut);
            return 0;
        }
        default:
            return std::nullopt;
        }
    }

    void Run(bool visible) {
        HWND window = CreateTopLevelWindow({L"QuelbrinDesktopTestWindow", win32::Widen(title_), WS_OVERLAPPEDWINDOW,
                                            100, 100, 400, 200},
                                           [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
                                               return OnMessage(message, wParam, lParam);
                                           });
        if (window && visible) {
            ShowWindow(window, SW_SHOWNORMAL);
            UpdateWindow(window);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window_ = window;
            threadId_ = GetCurrentThreadId();
            created_ = true;
        }
        ready_.notify_all();
        if (window) RunMessageLoop();
    }

    std::string title_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    bool created_ = false;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE stallRelease_ = nullptr;
    HANDLE stallEntered_ = nullptr;
    std::atomic<int> stall_{kNotStalled};
    std::vector<KeyMessage> keys_;
};

// A title no other test uses at the same time.
inline std::string UniqueTitle(const std::string& what) {
    return "Quelbrin test " + what + " " + std::to_string(GetCurrentProcessId());
}

}  // namespace quelbrin::test
