#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/wine/registry_test_key.h"

namespace quelbrin::test {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;
constexpr std::uint32_t kReadWrite = 0x2003Fu;

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
    std::unique_ptr<Registry> registry = win32::MakeRegistry();
    TestKey key_{HKEY_CLASSES_ROOT, UniqueKeyName()};
};

TEST_F(RegistryQuery, TextValuesComeAsUtf8WithTheirBytesAsStored) {
    key_.Set("", REG_SZ, WithNul(L"C:\\HFX\\InstallHFZ.exe %1"));
    key_.Set("open", REG_SZ, Utf16Bytes(L"abcd"));  // no terminating NUL
    key_.Set("inner", REG_SZ, WithNul(L"ab\0cd"));
    key_.Set("odd", REG_SZ, {'a', 0, 'b', 0, 'c'});
    key_.Set("wide", REG_SZ, WithNul(L"\u00e9\u20ac"));
    key_.Set("empty", REG_SZ, {});
    key_.Set("expand", REG_EXPAND_SZ, WithNul(L"%SystemRoot%\\x.exe"));
    key_.Set("multi", REG_MULTI_SZ, WithNul(L"one\0two\0"));

    RegValue v = Read("");
    EXPECT_EQ(v.type, reg::Sz);
    EXPECT_EQ(v.data, WithNul("C:\\HFX\\InstallHFZ.exe %1"));
    EXPECT_EQ(Read("open").data, Bytes("abcd"));
    EXPECT_EQ(Read("inner").data, WithNul("ab\0cd"));
    EXPECT_EQ(Read("odd").data, Bytes("ab"));
    EXPECT_EQ(Read("wide").data, WithNul("\xC3\xA9\xE2\x82\xAC"));
    v = Read("empty");
    EXPECT_EQ(v.type, reg::Sz);
    EXPECT_TRUE(v.data.empty());
    v = Read("expand");
    EXPECT_EQ(v.type, reg::ExpandSz);
    EXPECT_EQ(v.data, WithNul("%SystemRoot%\\x.exe"));
    v = Read("multi");
    EXPECT_EQ(v.type, reg::MultiSz);
    EXPECT_EQ(v.data, WithNul("one\0two\0"));
}

TEST_F(RegistryQuery, OtherTypesComeAsRawBytes) {
    key_.Set("", REG_BINARY, {0x00, 0x41, 0x00, 0xFF, 0x7F});
    key_.Set("none", REG_BINARY, {});
    key_.Set("number", REG_DWORD, {0x78, 0x56, 0x34, 0x12});

    RegValue v = Read("");
    EXPECT_EQ(v.type, reg::Binary);
    EXPECT_EQ(v.data, (std::vector<unsigned char>{0x00, 0x41, 0x00, 0xFF, 0x7F}));
    v = Read("none");
    EXPECT_EQ(v.type, reg::Binary);
    EXPECT_TRUE(v.data.empty());
    v = Read("number");
    EXPECT_EQ(v.type, reg::Dword);
    EXPECT_EQ(v.data, (std::vector<unsigned char>{0x78, 0x56, 0x34, 0x12}));
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
