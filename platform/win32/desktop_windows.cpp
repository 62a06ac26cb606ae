#include "platform/win32/desktop_windows.h"

namespace quelbrin::win32 {

namespace {

constexpr std::size_t kFirstTitleBuffer = 256;
constexpr std::size_t kLongestTitle = 1 << 16;

struct PrefixSearch {
    const std::wstring* prefix;
    HWND found = nullptr;
};

bool BeginsWith(const std::wstring& text, const std::wstring& prefix) {
    const int n = static_cast<int>(prefix.size());
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.data(), n, prefix.data(), n, TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK MatchPrefix(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PrefixSearch*>(param);
    try {
        if (!IsWindowVisible(window) || !BeginsWith(WindowTitle(window), *search->prefix)) return TRUE;
        search->found = window;
        return FALSE;
    } catch (...) {
        return FALSE;  // nothing may leave a callback that Windows calls
    }
}

}  // namespace

std::wstring WindowTitle(HWND window) {
    std::wstring title(kFirstTitleBuffer, L'\0');
    for (;;) {
        const int n = InternalGetWindowText(window, title.data(), static_cast<int>(title.size()));
        if (n < 0) return {};
        // A full buffer may have cut the title short: try a larger one.
        if (static_cast<std::size_t>(n) + 1 < title.size() || title.size() >= kLongestTitle) {
            title.resize(static_cast<std::size_t>(n));
            return title;
        }
        title.assign(title.size() * 2, L'\0');
    }
}

HWND FindActivationTarget(const std::wstring& title) {
    if (title.empty()) return nullptr;
    if (HWND exact = FindWindowW(nullptr, title.c_str())) return exact;
    PrefixSearch search{&title};
    EnumWindows(MatchPrefix, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace quelbrin::win32
