#include <cstdlib>
#include <memory>

#include "platform/folder_text.h"

#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

namespace quelbrin::win32 {

namespace {

// No "insert a disk" box for an empty drive while this thread looks at it.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~QuietDriveErrors() { SetThreadErrorMode(old_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD old_ = 0;
};

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

DirEntry EntryOf(const WIN32_FIND_DATAW& data) {
    DirEntry entry;
    entry.name = Narrow(data.cFileName);
    entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return entry;
}

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

int Ordinal(const std::wstring& a, const std::wstring& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The file list's order on UTF-16 names.
int CompareWide(const std::wstring& a, const std::wstring& b) {
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
    // Names equal to the locale still need an order: a batch follows it.
    if (result == CSTR_LESS_THAN) return -1;
    if (result == CSTR_GREATER_THAN) return 1;
    return Ordinal(a, b);
}

class Win32FileSystem final : public FileSystem {
public:
    std::string AppPath() const override {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (n == 0) ThrowLastError("GetModuleFileNameW");
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);  // cut short: try a larger buffer
        }
        std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
        if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive's root
        return Narrow(folder);
    }

    std::string Dir(const std::string& path) const override {
        if (!IsUsableFolderText(path)) return {};
        const std::wstring wide = Widen(path);
        const QuietDriveErrors quiet;
        WIN32_FIND_DATAW data{};
        const UniqueFindHandle found(FindFirstFileExW(ToFileApiPath(wide).c_str(), FindExInfoBasic,
                                                      &data, FindExSearchNameMatch, nullptr, 0));
        if (!found) return {};
        constexpr DWORD kNotOrdinary =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (data.dwFileAttributes & kNotOrdinary) return {};
        return Narrow(data.cFileName);
    }

    bool DriveExists(char letter) const override {
        return letter >= 'A' && letter <= 'Z' && (GetLogicalDrives() >> (letter - 'A') & 1u) != 0;
    }

    std::vector<DirEntry> ListFolder(const std::string& folder) const override {
        // Before any lookup: a partial network path would keep this thread
        // waiting for the network.
        if (!IsUsableFolderText(folder)) throw MakeError(ERROR_INVALID_NAME, "ListFolder");
        const std::wstring wide = Widen(folder);
        const QuietDriveErrors quiet;
        std::wstring dir = ToFileApiPath(wide);
        if (!IsSeparator(dir.back())) dir += L'\\';

        // A device name ("NUL", "CON") or a file is no folder, though "\*"
        // after it may still find something.
        const DWORD attributes = GetFileAttributesW(dir.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError("GetFileAttributesW");
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw MakeError(ERROR_DIRECTORY, "ListFolder");

        // "*" and not "*.hfz": the pattern also matches 8.3 short names, so
        // "old.hfzbak" (short name OLD~1.HFZ) would come along.
        WIN32_FIND_DATAW data{};
        const UniqueFindHandle found(FindFirstFileExW((dir + L"*").c_str(), FindExInfoBasic, &data,
                                                      FindExSearchNameMatch, nullptr,
                                                      FIND_FIRST_EX_LARGE_FETCH));
        std::vector<DirEntry> entries;
        if (!found) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND) return entries;  // an empty drive root
            throw MakeError(error, "FindFirstFileExW");
        }
        do {
            if (!IsDotEntry(data.cFileName)) entries.push_back(EntryOf(data));
        } while (FindNextFileW(found.get(), &data));
        const DWORD error = GetLastError();
        if (error != ERROR_NO_MORE_FILES) throw MakeError(error, "FindNextFileW");
        return entries;
    }

    int CompareNames(const std::string& a, const std::string& b) const override {
        return CompareWide(Widen(a), Widen(b));
    }

    // Each name converted once, not twice per comparison. qsort, not a
    // template sort: the order is total (CompareWide is 0 only for equal
    // names), so stability is moot, and the shipped program stays small.
    void SortNames(std::vector<std::string>& names) const override {
        struct Keyed {
            std::wstring wide;
            std::size_t index;
        };
        std::vector<Keyed> keyed;
        keyed.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) keyed.push_back({Widen(names[i]), i});
        std::vector<const Keyed*> order;
        order.reserve(keyed.size());
        for (const Keyed& k : keyed) order.push_back(&k);
        std::qsort(order.data(), order.size(), sizeof(const Keyed*), [](const void* a, const void* b) {
            const Keyed& ka = **static_cast<const Keyed* const*>(a);
            const Keyed& kb = **static_cast<const Keyed* const*>(b);
            return CompareWide(ka.wide, kb.wide);
        });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (const Keyed* k : order) sorted.push_back(std::move(names[k->index]));
        names.swap(sorted);
    }

    std::string ShortPath(const std::string& path) const override {
        if (!IsUsableFolderText(path)) return {};
        // An old installer takes no path beyond MAX_PATH, long or short.
        const std::wstring wide = Widen(path);
        const QuietDriveErrors quiet;
        const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
        if (size == 0) return {};
        std::wstring result(size, L'\0');
        const DWORD n = GetShortPathNameW(wide.c_str(), result.data(), size);
        if (n == 0 || n >= size) return {};
        result.resize(n);
        // A volume without short names gives back the long form.
        if (CompareStringOrdinal(result.c_str(), -1, wide.c_str(), -1, TRUE) == CSTR_EQUAL) return {};
        return Narrow(result);
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace quelbrin::win32
