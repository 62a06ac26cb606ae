#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "main_window/mapped_drive.h"
#include "settings/installer_path.h"
#include "settings/registry_reader.h"
#include "tests/wine/registry_test_key.h"
#include "tests/support/reliability_case.h"
#include "tests/support/saved_registration.h"

namespace quelbrin::test {
namespace {

// Default values of odd shapes, read as the program reads the installer's
// command: ReadRegString over the real registry.
class RegistryReadString : public ::testing::Test {
protected:
    std::string ReadDefault(const std::string& subkey) { return ReadRegString(*registry, reg::ClassesRoot, subkey, ""); }
    // The default value of a fresh child key, written with these bytes.
    std::string ReadWritten(DWORD type, const std::vector<unsigned char>& data) {
        const std::string child = key_.Child("case" + std::to_string(++cases_));
        TestKey value(HKEY_CLASSES_ROOT, child);
        value.Set("", type, data);
        return ReadDefault(child);
    }
    std::unique_ptr<Registry> registry = win32::MakeRegistry();
    TestKey key_{HKEY_CLASSES_ROOT, UniqueKeyName()};
    int cases_ = 0;
};

TEST(UserMappedDrive, TheMappingIsReadFromTheUsersNetworkKey) {
    quelbrin::test::ReliabilityCase("Registry", R"~(a drive letter this session lacks, with and without HKEY_CURRENT_USER\Network\LETTER's RemotePath)~",
                                    R"~(a path on it goes through RemotePath (\\srv\fx\Effects\Fire.hfz); without the key it is left alone)~");
    const std::unique_ptr<FileSystem> files = win32::MakeFileSystem();
    const std::unique_ptr<Registry> registry = win32::MakeRegistry();
    ASSERT_TRUE(files->DriveExists('C') && !files->DriveExists('Q')) << "C: is Wine's, and Q: no drive";
    EXPECT_EQ(UserMappedNetworkPath(*files, *registry, "Q:\\Effects\\Fire.hfz"), "");
    TestKey mapping(HKEY_CURRENT_USER, "Network\\Q");
    mapping.Set("RemotePath", REG_SZ, WithNul(L"\\\\srv\\fx"));
    EXPECT_EQ(UserMappedNetworkPath(*files, *registry, "Q:\\Effects\\Fire.hfz"), "\\\\srv\\fx\\Effects\\Fire.hfz");
}

TEST_F(RegistryReadString, TextValues) {
    EXPECT_EQ(ReadWritten(REG_SZ, WithNul(L"\"C:\\Program Files\\HFX\\InstallHFZ.exe\" %1")),
              "\"C:\\Program Files\\HFX\\InstallHFZ.exe\" %1");
    EXPECT_EQ(ReadWritten(REG_EXPAND_SZ, WithNul(L"%ProgramFiles%\\HFX\\InstallHFZ.exe")),
              "%ProgramFiles%\\HFX\\InstallHFZ.exe");
    EXPECT_EQ(ReadWritten(REG_SZ, WithNul(L"abcd")), "abcd");
    EXPECT_EQ(ReadWritten(REG_SZ, Utf16Bytes(L"abcd")), "abcd");  // not NUL-terminated
    EXPECT_EQ(ReadWritten(REG_SZ, WithNul(L"before\0after")), "before");
    EXPECT_EQ(ReadWritten(REG_SZ, WithNul(L"")), "");
    EXPECT_EQ(ReadWritten(REG_SZ, {}), "");
    EXPECT_EQ(ReadWritten(REG_SZ, WithNul(L"C:\\\u00c9ffets\\x.exe")), "C:\\\xC3\x89" "ffets\\x.exe");
}

TEST_F(RegistryReadString, ATenThousandCharacterValueComesWhole) {
    std::wstring text = L"\"C:\\";
    while (text.size() < 9990) text += L"deep\\";
    text.resize(9990);
    text += L"\\x.exe\" %1";
    ASSERT_EQ(text.size(), 10000u);
    const std::string read = ReadWritten(REG_SZ, Utf16Bytes(std::wstring_view(text.c_str(), text.size() + 1)));
    EXPECT_EQ(read.size(), 10000u);
    EXPECT_EQ(read, win32::Narrow(text));
}

TEST_F(RegistryReadString, OtherTypes) {
    EXPECT_EQ(ReadWritten(REG_BINARY, Bytes("C:\\x.exe")), "");
    EXPECT_EQ(ReadWritten(REG_BINARY, {}), "");
    EXPECT_EQ(ReadWritten(REG_DWORD, {0x78, 0x56, 0x34, 0x12}), "305419896");
    EXPECT_EQ(ReadWritten(REG_MULTI_SZ, WithNul(L"C:\\x.exe\0second\0")), "");
}

TEST_F(RegistryReadString, NothingToRead) {
    EXPECT_EQ(ReadDefault(key_.Subkey() + "\\missing"), "");
    EXPECT_EQ(ReadDefault(key_.Child("no default")), "");
    const std::string named = key_.Child("named only");
    TestKey value(HKEY_CLASSES_ROOT, named);
    value.Set("command", REG_SZ, WithNul(L"C:\\x.exe"));
    EXPECT_EQ(ReadDefault(named), "");
    EXPECT_EQ(ReadRegString(*registry, reg::ClassesRoot, named, "command"), "C:\\x.exe");
}

// Writes the very key the program reads (the machine-wide classes), so it
// runs under the tests' shared lock; whatever was there before is put back.
TEST(RegistryHfzCommand, ReadsTheRegisteredInstallerCommand) {
    const SavedHfzCommand saved;  // put back as it was at the end
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kHfzCommandKeyW, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto data = WithNul(L"\"C:\\Program Files\\Pinnacle\\Hollywood FX\\InstallHFZ.exe\" %1");
    ASSERT_EQ(RegSetValueExW(key, L"", 0, REG_SZ, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);

    auto registry = win32::MakeRegistry();
    EXPECT_EQ(ReadRegString(*registry, reg::LocalMachine, kHfzCommandKey, ""),
              "\"C:\\Program Files\\Pinnacle\\Hollywood FX\\InstallHFZ.exe\" %1");

    RegCloseKey(key);
}

}  // namespace
}  // namespace quelbrin::test
