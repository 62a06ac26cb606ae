#include "platform/win32/folder_picker.h"

#include <shlobj.h>

#include <memory>

#include "platform/win32/com_library.h"
#include "platform/win32/system_function.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { com::FreeTaskMemory(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// Room for the longest path Windows knows, not just MAX_PATH.
constexpr DWORD kPathChars = 32768;

// shell32 is not imported: it loads, from System32, the first time the
// picker opens, and stays loaded.
using BrowseForFolderFn = PIDLIST_ABSOLUTE(WINAPI*)(BROWSEINFOW*);
using PathFromListExFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR, DWORD, GPFIDL_FLAGS);
using PathFromListFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR);

std::string PathOf(const ITEMIDLIST* list) {
    // Windows Vista's and later; the other one is there since Windows 95.
    const auto pathFromListEx = System32Function<PathFromListExFn>(L"shell32.dll", "SHGetPathFromIDListEx");
    const auto pathFromList = System32Function<PathFromListFn>(L"shell32.dll", "SHGetPathFromIDListW");
    std::wstring path(kPathChars, L'\0');
    if (!pathFromListEx || !pathFromListEx(list, path.data(), kPathChars, GPFIDL_DEFAULT)) {
        path.assign(MAX_PATH, L'\0');
        if (!pathFromList || !pathFromList(list, path.data())) return {};
    }
    path.resize(path.find(L'\0'));
    return Narrow(path);
}

}  // namespace

std::optional<std::string> PickFolder(HWND owner, const std::string& title, unsigned flags) {
    // The picker needs the thread in a single-threaded apartment.
    const auto browse = System32Function<BrowseForFolderFn>(L"shell32.dll", "SHBrowseForFolderW");
    if (!browse || !com::Ready()) return std::nullopt;
    const std::wstring wideTitle = Widen(title);  // lives until the picker returns
    BROWSEINFOW request{};
    request.hwndOwner = owner;
    request.pidlRoot = nullptr;
    request.pszDisplayName = nullptr;
    request.lpszTitle = wideTitle.c_str();
    request.ulFlags = flags;
    request.lpfn = nullptr;
    request.lParam = 0;
    request.iImage = 0;
    const UniqueItemList chosen(browse(&request));
    if (!chosen) return std::nullopt;
    return PathOf(chosen.get());
}

}  // namespace quelbrin::win32
