#include "platform/win32/folder_picker.h"

#include <shlobj.h>

#include <memory>

#include "platform/win32/utf.h"

namespace quelbrin::win32 {

namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// Room for the longest path Windows knows, not just MAX_PATH.
constexpr DWORD kPathChars = 32768;

std::string PathOf(const ITEMIDLIST* list) {
    std::wstring path(kPathChars, L'\0');
    if (!SHGetPathFromIDListEx(list, path.data(), kPathChars, GPFIDL_DEFAULT)) {
        path.assign(MAX_PATH, L'\0');
        if (!SHGetPathFromIDListW(list, path.data())) return {};
    }
    path.resize(path.find(L'\0'));
    return Narrow(path);
}

}  // namespace

std::optional<std::string> PickFolder(HWND owner, const std::string& title, unsigned flags) {
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
    const UniqueItemList chosen(SHBrowseForFolderW(&request));
    if (!chosen) return std::nullopt;
    return PathOf(chosen.get());
}

}  // namespace quelbrin::win32
