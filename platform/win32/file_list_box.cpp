#include "platform/win32/file_list_box.h"

#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

FileListControl::FileListControl(HWND listBox, const FileSystem& files, NameFilter keep,
                                 std::function<void()> onClick)
    : listBox_(listBox), files_(files), keep_(keep), onClick_(std::move(onClick)) {}

bool FileListControl::Enabled() const { return IsWindowEnabled(listBox_) != FALSE; }

void FileListControl::SetEnabled(bool enabled) { EnableWindow(listBox_, enabled ? TRUE : FALSE); }

std::string FileListControl::FileName() const { return List(ListIndex()); }

void FileListControl::SetFileName(const std::string& folder) {
    if (folder.empty()) return;  // keeps the previous entries
    const std::vector<std::string> names = ListFiles(files_, folder, keep_);  // throws before any change
    Fill(names);
    listed_.Listed(folder);
}

void FileListControl::Refresh() {
    if (!listed_.RefreshReads()) return;
    const std::string selected = FileName();
    const std::vector<std::string> names = ListFiles(files_, listed_.Folder(), keep_);
    Fill(names);
    if (selected.empty()) return;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == selected) {
            SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

int FileListControl::ListCount() const {
    const LRESULT count = SendMessageW(listBox_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string FileListControl::List(int index) const {
    if (index < 0) return {};
    const LRESULT length = SendMessageW(listBox_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(listBox_, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR) return {};
    text.resize(static_cast<std::size_t>(copied));
    return Narrow(text);
}

int FileListControl::ListIndex() const {
    const LRESULT index = SendMessageW(listBox_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void FileListControl::SetListIndex(int index) {
    // -1 (or an index past the end) leaves nothing selected.
    const bool valid = index >= 0 && index < ListCount();
    SendMessageW(listBox_, LB_SETCURSEL, valid ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
    // LB_SETCURSEL does not notify: the Click event is raised here.
    if (onClick_) onClick_();
}

void FileListControl::Fill(const std::vector<std::string>& names) {
    // Room for all entries at once; a UTF-16 name has no more units than its
    // UTF-8 bytes. Each name is widened just before it is added, not all of
    // them first: a long listing leaves no second copy spread over the heap.
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += (name.size() + 1) * sizeof(wchar_t);

    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    SendMessageW(listBox_, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(bytes));
    bool full = false;
    for (const std::string& name : names) {
        const LRESULT added =
            SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE) {
            full = true;
            break;
        }
    }
    // A partial list would send a batch over only some of the files.
    if (full) SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
    if (full) throw MakeError(ERROR_NOT_ENOUGH_MEMORY, "LB_ADDSTRING");
}

}  // namespace quelbrin::win32
