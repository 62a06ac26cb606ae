#include "tests/support/test_files.h"

#include "platform/win32/windows_wrapper.h"

#include <winternl.h>

#include <algorithm>

#include "platform/win32/utf.h"

namespace quelbrin::test {

std::wstring Verbatim(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileExW((Verbatim(path) + L"\\*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
                SetFileAttributesW(Verbatim(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Verbatim(child).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(Verbatim(path).c_str());
}

TempFolder::TempFolder(const std::string& hint) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, n);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    static int serial = 0;
    path_ = base + L"\\quelbrin-test " + win32::Widen(hint) + L" " + std::to_wstring(GetCurrentProcessId()) +
            L"." + std::to_wstring(++serial);
    RemoveTree(path_);
    EXPECT_TRUE(CreateDirectoryW(Verbatim(path_).c_str(), nullptr)) << GetLastError();
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Path() const { return win32::Narrow(path_); }

bool TempFolder::AddFile(const std::wstring& name, DWORD attributes) const {
    const std::wstring full = Verbatim(path_ + L"\\" + name);
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << win32::Narrow(name) << " error " << GetLastError();
    CloseHandle(file);
    if (attributes == FILE_ATTRIBUTE_NORMAL) return true;
    SetFileAttributesW(full.c_str(), attributes);
    return (GetFileAttributesW(full.c_str()) & attributes) == attributes;
}

void TempFolder::AddFolder(const std::wstring& name) const {
    EXPECT_TRUE(CreateDirectoryW(Verbatim(path_ + L"\\" + name).c_str(), nullptr)) << GetLastError();
}

// Wine looks a Windows path up without regard to letter case by reading the
// whole folder, so each new file costs as much as the files already there;
// a "\??\unix\" path is looked up exactly. Elsewhere CreateFileW will do.
::testing::AssertionResult MakeEmptyFiles(const std::wstring& folder, int count, const wchar_t* pattern) {
    using WineUnixName = char*(CDECL*)(LPCWSTR);
    using NtCreateFileCall = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                              PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
    const auto unixName = reinterpret_cast<WineUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    const auto ntCreateFile = reinterpret_cast<NtCreateFileCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtCreateFile")));
    const bool underWine = unixName && ntCreateFile;
    std::wstring prefix = Verbatim(folder) + L"\\";
    if (underWine) {
        char* unixFolder = unixName(folder.c_str());
        if (!unixFolder) return ::testing::AssertionFailure() << "no Unix name for " << win32::Narrow(folder);
        std::wstring unixPath = win32::Widen(unixFolder);
        HeapFree(GetProcessHeap(), 0, unixFolder);
        std::replace(unixPath.begin(), unixPath.end(), L'/', L'\\');
        prefix = L"\\??\\unix" + unixPath + L"\\";
    }
    for (int i = 0; i < count; ++i) {
        wchar_t name[64];
        wsprintfW(name, pattern, i);
        std::wstring path = prefix + name;
        HANDLE file = INVALID_HANDLE_VALUE;
        if (underWine) {
            UNICODE_STRING ntName{static_cast<USHORT>(path.size() * 2), static_cast<USHORT>(path.size() * 2),
                                  path.data()};
            OBJECT_ATTRIBUTES attributes{};
            attributes.Length = sizeof attributes;
            attributes.ObjectName = &ntName;
            IO_STATUS_BLOCK io{};
            constexpr ULONG kCreate = 2, kNonDirectory = 0x40, kSynchronous = 0x20;
            if (ntCreateFile(&file, GENERIC_WRITE | SYNCHRONIZE, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, 0,
                             kCreate, kNonDirectory | kSynchronous, nullptr, 0) != 0)
                file = INVALID_HANDLE_VALUE;
        } else {
            file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        }
        if (file == INVALID_HANDLE_VALUE) return ::testing::AssertionFailure() << "could not make " << win32::Narrow(name);
        CloseHandle(file);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quelbrin::test
