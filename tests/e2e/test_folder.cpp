#include "tests/e2e/test_folder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::e2e {

namespace fs = std::filesystem;

std::wstring QuelbrinExe() { return WinePath(QUELBRIN_EXE); }
std::wstring SubstituteExe() { return WinePath(SUBSTITUTE_EXE); }
std::wstring WorkRoot() { return WinePath(E2E_WORK_ROOT); }

TestFolder::TestFolder(const std::string& name)
    : path_(WorkRoot() + L"\\" + win32::Widen(name) + L"-" +
            std::to_wstring(GetCurrentProcessId())) {
    std::error_code ignored;
    fs::remove_all(fs::path(path_), ignored);
    fs::create_directories(fs::path(path_));
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::remove_all(fs::path(path_), ignored);
}

std::wstring TestFolder::operator/(const std::wstring& relative) const {
    return path_ + L"\\" + relative;
}

std::wstring TestFolder::MakeFolder(const std::wstring& relative) const {
    const std::wstring path = *this / relative;
    fs::create_directories(fs::path(path));
    return path;
}

void TestFolder::WriteFile(const std::wstring& relative, const std::string& content) const {
    std::ofstream out(fs::path(*this / relative), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + win32::Narrow(*this / relative));
}

void TestFolder::CopyIn(const std::wstring& source, const std::wstring& relative) const {
    if (!CopyFileW(source.c_str(), (*this / relative).c_str(), FALSE))
        throw std::runtime_error("cannot copy " + win32::Narrow(source) + " to " +
                                 win32::Narrow(*this / relative) + ", error " +
                                 std::to_string(GetLastError()));
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace quelbrin::e2e
