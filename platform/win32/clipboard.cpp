#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {

// The clipboard open for the life of the object.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        // Another program may hold it for a moment: a few tries.
        for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
        if (!open_) ThrowLastError("OpenClipboard");
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

private:
    bool open_ = false;
};

}  // namespace

void PutTextOnClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = Widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) ThrowLastError("GlobalAlloc");
    void* const at = GlobalLock(memory.get());
    if (!at) ThrowLastError("GlobalLock");
    std::memcpy(at, wide.c_str(), bytes);
    GlobalUnlock(memory.get());

    OpenClipboardScope open(owner);
    if (!EmptyClipboard()) ThrowLastError("EmptyClipboard");
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) ThrowLastError("SetClipboardData");
    memory.release();  // the clipboard's now
}

}  // namespace quelbrin::win32
