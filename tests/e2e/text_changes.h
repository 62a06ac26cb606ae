#pragma once
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::e2e {

// Every text one control of another process shows, recorded as it changes
// rather than sampled: a thread of its own holds an out-of-context WinEvent
// hook on the control's process and reads the control's text (without a
// message round trip) at each name change or live-region change of it.
class TextChanges {
public:
    explicit TextChanges(HWND control);
    ~TextChanges();
    TextChanges(const TextChanges&) = delete;
    TextChanges& operator=(const TextChanges&) = delete;

    // The texts so far, the first being the one the control read at the start;
    // a change that left the text as it was is not repeated.
    std::vector<std::wstring> Texts() const;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);
    void Record();
    void Run(DWORD processId);

    HWND control_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> texts_;
    DWORD threadId_ = 0;
    HANDLE ready_;
    std::thread thread_;
};

}  // namespace quelbrin::e2e
