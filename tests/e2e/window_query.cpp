#include "tests/e2e/window_query.h"

#include <algorithm>

#include "tests/support/wait_until.h"

namespace quelbrin::e2e {

namespace {

constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    auto* out = reinterpret_cast<std::vector<TopWindow>*>(param);
    TopWindow w;
    w.hwnd = hwnd;
    GetWindowThreadProcessId(hwnd, &w.processId);
    w.className = ClassOf(hwnd);
    w.title = StoredText(hwnd);  // our own process may hold no message loop
    w.visible = IsWindowVisible(hwnd) != FALSE;
    out->push_back(std::move(w));
    return TRUE;
}

}  // namespace

std::wstring StoredText(HWND hwnd) {
    wchar_t text[1024] = {};
    const int n = InternalGetWindowText(hwnd, text, 1024);
    return std::wstring(text, n > 0 ? n : 0);
}

std::vector<TopWindow> TopLevelWindows() {
    std::vector<TopWindow> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::optional<TopWindow> FindTopLevel(const std::wstring& title, DWORD processId,
                                      const std::wstring& className) {
    for (TopWindow& w : TopLevelWindows()) {
        if (w.title != title) continue;
        if (processId != 0 && w.processId != processId) continue;
        if (!className.empty() && w.className != className) continue;
        return w;
    }
    return std::nullopt;
}

std::optional<TopWindow> FindQuelbrinWindow(DWORD processId) {
    for (TopWindow& w : TopLevelWindows()) {
        if (w.title != L"Quelbrin" || w.className == kMessageBoxClass) continue;
        if (processId != 0 && w.processId != processId) continue;
        return w;
    }
    return std::nullopt;
}

std::vector<MessageBoxInfo> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxInfo> boxes;
    for (const TopWindow& w : TopLevelWindows()) {
        if (w.className != kMessageBoxClass || !w.visible) continue;
        if (processId != 0 && w.processId != processId) continue;
        if (GetDlgItem(w.hwnd, kMessageBoxTextId) == nullptr) continue;
        boxes.push_back({w.hwnd, w.title, ControlText(w.hwnd, kMessageBoxTextId).value_or(L"")});
    }
    return boxes;
}

std::optional<DWORD_PTR> Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    DWORD_PTR answer = 0;
    if (!hwnd || !SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, test::ScaledMs(timeoutMs), &answer))
        return std::nullopt;
    return answer;
}

std::optional<std::wstring> WindowText(HWND hwnd, UINT timeoutMs) {
    // The text may change between the two questions: a longer one would come
    // cut to the old length ("1 .hfz files" -> "Error: File "). Read again
    // until a text fits with room to spare.
    for (;;) {
        const auto length = Ask(hwnd, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
        if (!length) return std::nullopt;
        std::wstring text(*length + 2, L'\0');
        const auto copied = Ask(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs);
        if (!copied) return std::nullopt;
        if (*copied + 1 < text.size()) {
            text.resize(*copied);
            return text;
        }
    }
}

std::optional<std::wstring> ControlText(HWND parent, int id, UINT timeoutMs) {
    HWND control = GetDlgItem(parent, id);
    if (control == nullptr) return std::nullopt;
    return WindowText(control, timeoutMs);
}

bool SetControlText(HWND parent, int id, const std::wstring& text, UINT timeoutMs) {
    HWND control = GetDlgItem(parent, id);
    if (control == nullptr) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, test::ScaledMs(timeoutMs), &result) != 0;
}

bool PostClick(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0) != FALSE;
}

bool AnswerOk(HWND box) { return PostClick(box, IDOK); }

bool IsEnabled(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control != nullptr && IsWindowEnabled(control) != FALSE;
}

std::optional<ListState> ReadListBox(HWND parent, int id, UINT timeoutMs) {
    HWND list = GetDlgItem(parent, id);
    const auto count = Ask(list, LB_GETCOUNT, 0, 0, timeoutMs), selected = Ask(list, LB_GETCURSEL, 0, 0, timeoutMs);
    if (!count || !selected) return std::nullopt;
    ListState state;
    state.selected = static_cast<int>(static_cast<LRESULT>(*selected));
    for (int i = 0; i < static_cast<int>(*count); ++i) {
        auto item = ListBoxItem(list, i, timeoutMs);
        if (!item) return std::nullopt;
        state.items.push_back(std::move(*item));
    }
    return state;
}

std::optional<std::wstring> ListBoxItem(HWND list, int index, UINT timeoutMs) {
    const auto length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, timeoutMs);
    if (!length || static_cast<LRESULT>(*length) == LB_ERR) return std::nullopt;
    std::wstring item(*length + 1, L'\0');
    const auto copied = Ask(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()), timeoutMs);
    if (!copied || static_cast<LRESULT>(*copied) == LB_ERR) return std::nullopt;
    item.resize(std::min<std::size_t>(*copied, *length));
    return item;
}

}  // namespace quelbrin::e2e
