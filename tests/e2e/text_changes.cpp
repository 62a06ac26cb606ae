#include "tests/e2e/text_changes.h"

#include "tests/e2e/window_query.h"

namespace quelbrin::e2e {

namespace {

constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

// The recorder whose hook runs on this thread.
thread_local TextChanges* t_recorder = nullptr;

}  // namespace

TextChanges::TextChanges(HWND control) : control_(control), ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    thread_ = std::thread([this, processId] { Run(processId); });
    WaitForSingleObject(ready_, INFINITE);
}

TextChanges::~TextChanges() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void TextChanges::Run(DWORD processId) {
    t_recorder = this;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    threadId_ = GetCurrentThreadId();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, kLiveRegionChanged, nullptr, OnEvent,
                                               processId, 0, WINEVENT_OUTOFCONTEXT);
    {
        std::lock_guard lock(mutex_);
        texts_.push_back(StoredText(control_));
    }
    SetEvent(ready_);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (hook) UnhookWinEvent(hook);
}

void CALLBACK TextChanges::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (!t_recorder || window != t_recorder->control_) return;
    // Wine 8 raises no name change for a static control's new text; the
    // live-region change that Quelbrin raises for its status lines comes.
    if ((event == EVENT_OBJECT_NAMECHANGE && object == OBJID_WINDOW) || event == kLiveRegionChanged) t_recorder->Record();
}

void TextChanges::Record() {
    const std::wstring text = StoredText(control_);
    std::lock_guard lock(mutex_);
    if (texts_.empty() || texts_.back() != text) texts_.push_back(text);
}

std::vector<std::wstring> TextChanges::Texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

}  // namespace quelbrin::e2e
