#pragma once
// A registry key of its own for each test, written with exact byte counts
// and deleted, with everything below it, at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

inline std::vector<unsigned char> Utf16Bytes(std::wstring_view text) {
    std::vector<unsigned char> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    return bytes;
}

inline std::vector<unsigned char> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// A literal's characters with its terminating NUL, as a string value is
// normally stored; NULs inside the literal are kept.
template <std::size_t N>
std::vector<unsigned char> WithNul(const wchar_t (&text)[N]) { return Utf16Bytes(std::wstring_view(text, N)); }
template <std::size_t N>
std::vector<unsigned char> WithNul(const char (&text)[N]) { return Bytes(std::string_view(text, N)); }

class TestKey {
public:
    // `root` is the key to write under, `subkey` the path of this test's key.
    TestKey(HKEY root, std::string subkey) : root_(root), subkey_(std::move(subkey)) {
        RegDeleteTreeW(root_, win32::Widen(subkey_).c_str());
        const LONG rc = RegCreateKeyExW(root_, win32::Widen(subkey_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                        &key_, nullptr);
        EXPECT_EQ(rc, ERROR_SUCCESS) << "creating " << subkey_;
    }
    ~TestKey() {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(root_, win32::Widen(subkey_).c_str());
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    const std::string& Subkey() const { return subkey_; }

    // A value with exactly these bytes; "" names the default value.
    void Set(const std::string& name, DWORD type, const std::vector<unsigned char>& data) {
        // RegSetValueExW counts a string's terminating NUL itself when the
        // caller left it out but it follows in memory: follow with no NUL.
        std::vector<unsigned char> buffer = data;
        buffer.insert(buffer.end(), {0xFF, 0xFF, 0xFF, 0xFF});
        const LONG rc = RegSetValueExW(key_, win32::Widen(name).c_str(), 0, type, buffer.data(),
                                       static_cast<DWORD>(data.size()));
        ASSERT_EQ(rc, ERROR_SUCCESS) << "writing " << subkey_ << " \"" << name << "\"";
    }
    // A subkey of this key, made empty.
    std::string Child(const std::string& name) {
        HKEY child = nullptr;
        EXPECT_EQ(RegCreateKeyExW(key_, win32::Widen(name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child,
                                  nullptr),
                  ERROR_SUCCESS);
        if (child) RegCloseKey(child);
        return subkey_ + "\\" + name;
    }

private:
    HKEY root_;
    std::string subkey_;
    HKEY key_ = nullptr;
};

// A key name that no other test uses: the test's own name and this process.
inline std::string UniqueKeyName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("QuelbrinTest.") + info->test_suite_name() + "." + info->name() + "." +
           std::to_string(GetCurrentProcessId());
}

}  // namespace quelbrin::test
