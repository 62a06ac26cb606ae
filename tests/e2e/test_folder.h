#pragma once
#include <filesystem>
#include <string>

#include "tests/support/wine_path.h"

namespace quelbrin::e2e {

using test::WinePath;

// The programs under test, and where tests make their folders (set by the build).
std::wstring QuelbrinExe();
std::wstring SubstituteExe();
std::wstring WorkRoot();

// A fresh folder of one test under the work root, removed with its contents
// when dropped.
class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's Windows path, no trailing "\".
    const std::wstring& Path() const { return path_; }
    // A path inside it ("a\b" allowed).
    std::wstring operator/(const std::wstring& relative) const;

    // Makes a sub-folder and returns its path.
    std::wstring MakeFolder(const std::wstring& relative) const;
    void WriteFile(const std::wstring& relative, const std::string& content) const;
    void CopyIn(const std::wstring& source, const std::wstring& relative) const;

private:
    std::wstring path_;
};

bool FileExists(const std::wstring& path);
std::string ReadFile(const std::wstring& path);

}  // namespace quelbrin::e2e
