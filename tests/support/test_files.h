#pragma once
// Files and folders for the tests that run on the Windows side.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

// A path with the "\\?\" prefix, which takes it as it is, whatever its length.
std::wstring Verbatim(const std::wstring& path);

// Removes a folder with everything in it, read-only, hidden and system
// files too, whatever the length of its path.
void RemoveTree(const std::wstring& path);

// A fresh folder under %TEMP%, removed with everything in it when dropped.
class TempFolder {
public:
    // `hint` (UTF-8) goes into the folder's name.
    explicit TempFolder(const std::string& hint = "");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const;  // UTF-8, no trailing "\"
    const std::wstring& WidePath() const { return path_; }
    std::string File(const std::string& name) const { return Path() + "\\" + name; }

    // An empty file; false when the attributes could not be stored (a file
    // system without DOS attributes).
    bool AddFile(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    void AddFolder(const std::wstring& name) const;

private:
    std::wstring path_;
};

// Makes `count` empty files in a folder, named by a wsprintf pattern with the
// index; quickly even under Wine. A failure says which file could not be made.
::testing::AssertionResult MakeEmptyFiles(const std::wstring& folder, int count, const wchar_t* pattern);

}  // namespace quelbrin::test
