#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/wine/registry_test_key.h"

namespace quelbrin::test {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;
constexpr std::uint32_t kReadWrite = 0x2003Fu;

// A value as stored, and the type and bytes the reader gives for it.
struct Stored {
    const char* name;
    DWORD type;
    std::vector<unsigned char> bytes;
    std::uint32_t read;
    std::vector<unsigned char> data;
};

// A key of this test's own under HKEY_CLASSES_ROOT, read through the Registry.
class RegistryQuery : public ::testing::Test {
protected:
    // The value as Query gives it; fails the test when it can't be read.
    RegValue Read(const std::string& name) {
        auto key = registry->Open(reg::ClassesRoot, key_.Subkey(), reg::KeyRead);
        EXPECT_NE(key, nullptr) << key_.Subkey();
        RegValue value;
        if (key) {
            EXPECT_TRUE(registry->Query(*key, name, value)) << name;
        }
        return value;
    }
    void ExpectRead(const std::vector<Stored>& values) {
        for (const Stored& s : values) key_.Set(s.name, s.type, s.bytes);
        for (const Stored& s : values) {
            const RegValue v = Read(s.name);
            EXPECT_EQ(v.type, s.read) << s.name;
            EXPECT_EQ(v.data, s.data) << s.name;
        }
    }
    std::unique_ptr<Registry> registry = win32::MakeRegistry();
    TestKey key_{HKEY_CLASSES_ROOT, UniqueKeyName()};
};

TEST_F(RegistryQuery, TextValuesComeAsUtf8WithTheirBytesAsStored) {
    ExpectRead({{"", REG_SZ, WithNul(L"C:\\HFX\\InstallHFZ.exe %1"), reg::Sz, WithNul("C:\\HFX\\InstallHFZ.exe %1")},
                {"open", REG_SZ, Utf16Bytes(L"abcd"), reg::Sz, Bytes("abcd")},  // no terminating NUL
                {"inner", REG_SZ, WithNul(L"ab\0cd"), reg::Sz, WithNul("ab\0cd")},
                {"odd", REG_SZ, {'a', 0, 'b', 0, 'c'}, reg::Sz, Bytes("ab")},
                {"wide", REG_SZ, WithNul(L"\u00e9\u20ac"), reg::Sz, WithNul("\xC3\xA9\xE2\x82\xAC")},
                {"empty", REG_SZ, {}, reg::Sz, {}},
                {"expand", REG_EXPAND_SZ, WithNul(L"%SystemRoot%\\x.exe"), reg::ExpandSz, WithNul("%SystemRoot%\\x.exe")},
                {"multi", REG_MULTI_SZ, WithNul(L"one\0two\0"), reg::MultiSz, WithNul("one\0two\0")}});
}

TEST_F(RegistryQuery, OtherTypesComeAsRawBytes) {
    ExpectRead({{"", REG_BINARY, {0x00, 0x41, 0x00, 0xFF, 0x7F}, reg::Binary, {0x00, 0x41, 0x00, 0xFF, 0x7F}},
                {"none", REG_BINARY, {}, reg::Binary, {}},
                {"number", REG_DWORD, {0x78, 0x56, 0x34, 0x12}, reg::Dword, {0x78, 0x56, 0x34, 0x12}}});
}

TEST_F(RegistryQuery, ReadsLongValuesWhole) {
    std::wstring text;
    for (int i = 0; i < 10000; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
    key_.Set("", REG_SZ, Utf16Bytes(std::wstring_view(text.c_str(), text.size() + 1)));
    const std::wstring huge(300000, L'\u00e9');
    key_.Set("huge", REG_EXPAND_SZ, Utf16Bytes(huge));

    const RegValue v = Read("");
    ASSERT_EQ(v.data.size(), 10001u);
    EXPECT_EQ(std::string(v.data.begin(), v.data.end() - 1), win32::Narrow(text));
    EXPECT_EQ(v.data.back(), 0);
    EXPECT_EQ(Read("huge").data.size(), 600000u);
}

TEST_F(RegistryQuery, MissingKeysAndValuesCantBeRead) {
    const std::string empty = key_.Child("empty");
    key_.Set("named", REG_SZ, WithNul(L"x"));

    EXPECT_EQ(registry->Open(reg::ClassesRoot, key_.Subkey() + "\\missing", reg::KeyRead), nullptr);
    EXPECT_EQ(registry->Open(reg::ClassesRoot, key_.Subkey() + "\\missing\\deeper", reg::KeyRead), nullptr);

    auto emptyKey = registry->Open(reg::ClassesRoot, empty, reg::KeyRead);
    ASSERT_NE(emptyKey, nullptr);
    RegValue v;
    EXPECT_FALSE(registry->Query(*emptyKey, "", v));  // a key without a default value
    auto key = registry->Open(reg::ClassesRoot, key_.Subkey(), reg::KeyRead);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(registry->Query(*key, "", v));
    EXPECT_FALSE(registry->Query(*key, "other", v));
    EXPECT_TRUE(registry->Query(*key, "named", v));
}

TEST_F(RegistryQuery, OpensUnderEachRootAndWithTheAccessAsked) {
    TestKey user(HKEY_CURRENT_USER, "Software\\" + UniqueKeyName());
    user.Set("", REG_SZ, WithNul(L"user"));
    key_.Set("", REG_SZ, WithNul(L"classes"));

    auto classes = registry->Open(reg::ClassesRoot, key_.Subkey(), kReadWrite);
    ASSERT_NE(classes, nullptr);
    RegValue v;
    ASSERT_TRUE(registry->Query(*classes, "", v));
    EXPECT_EQ(v.data, WithNul("classes"));

    auto mine = registry->Open(kCurrentUser, "Software\\" + UniqueKeyName(), reg::KeyRead);
    ASSERT_NE(mine, nullptr);
    ASSERT_TRUE(registry->Query(*mine, "", v));
    EXPECT_EQ(v.data, WithNul("user"));
    // The same path under the other root is another key.
    EXPECT_EQ(registry->Open(kCurrentUser, key_.Subkey(), reg::KeyRead), nullptr);
}

TEST(RegistryExpandEnvironment, ReplacesKnownReferencesOnly) {
    auto registry = win32::MakeRegistry();
    const std::string longValue(5000, 'v');
    ASSERT_TRUE(SetEnvironmentVariableW(L"QUELBRIN_TEST_LONG", win32::Widen(longValue).c_str()));
    ASSERT_TRUE(SetEnvironmentVariableW(L"QUELBRIN_TEST_DIR", L"C:\\Program Files\\\u00c9ffects"));

    EXPECT_EQ(registry->ExpandEnvironment("%QUELBRIN_TEST_DIR%\\InstallHFZ.exe"),
              "C:\\Program Files\\\xC3\x89" "ffects\\InstallHFZ.exe");
    EXPECT_EQ(registry->ExpandEnvironment("<%QUELBRIN_TEST_LONG%>"), "<" + longValue + ">");
    EXPECT_EQ(registry->ExpandEnvironment("%QUELBRIN_TEST_NOT_SET%\\x"), "%QUELBRIN_TEST_NOT_SET%\\x");
    EXPECT_EQ(registry->ExpandEnvironment("100% sure"), "100% sure");
    EXPECT_EQ(registry->ExpandEnvironment(""), "");
}

}  // namespace
}  // namespace quelbrin::test
