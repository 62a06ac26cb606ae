// What start-up makes of odd registered installer commands: the default value of
// HKLM\Software\Classes\hfzfile\shell\open\command (under Wine HKCR is that key) written with
// exact bytes into Wine's real registry, read through the real Registry, and resolved by the
// program's own logic (the rest of the platform is the fake one).
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "main_window/main_form.h"
#include "platform/win32/win32_platform.h"
#include "settings/installer_path.h"
#include "tests/fake/fake_platform.h"
#include "tests/support/saved_registration.h"
#include "tests/wine/registry_test_key.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

constexpr char kCommandKey[] = "Software\\Classes\\hfzfile\\shell\\open\\command";
constexpr wchar_t kClassKey[] = L"Software\\Classes\\hfzfile";
void DeleteClass(HKEY root) { RegDeleteTreeW(root, kClassKey); RegDeleteKeyW(root, kClassKey); }

// Start-up's installer lookup, with no InstallHFZ.exe beside the program.
struct Resolved {
    std::string path;
    std::optional<fake::MessageBoxShown> box;
};

class ReliabilityRegistry : public ::testing::Test {
protected:
    // The command key holds a default value of exactly these bytes.
    Resolved WithDefault(DWORD type, const std::vector<unsigned char>& data) {
        TestKey key(HKEY_LOCAL_MACHINE, kCommandKey);
        key.Set("", type, data);
        return Resolve();
    }

    Resolved Resolve() {
        fake::FakePlatform fake;
        fake.files.AddFolder(fake.files.appPath);
        Platform platform{fake.ui, fake.files, fake.desktop, fake.desktop, fake.system, *registry_, fake.clock};
        MainForm form(platform);
        ResolveInstallerPath(form);
        Resolved resolved{form.HfzInstPath, std::nullopt};
        EXPECT_LE(fake.ui.messageBoxes.size(), 1u);
        if (!fake.ui.messageBoxes.empty()) resolved.box = fake.ui.messageBoxes.front();
        return resolved;
    }

    // Nothing usable is registered: the user is told, the path stays empty.
    static void ExpectNothingFound(const Resolved& r) {
        EXPECT_EQ(r.path, "");
        ASSERT_TRUE(r.box.has_value()) << "no message";
        EXPECT_EQ(r.box->text, "InstallHFZ.exe not found, or Hollywood FX is not installed!");
        EXPECT_EQ(r.box->title, "Quelbrin");
        EXPECT_EQ(r.box->style, 0);
    }

    static void ExpectPath(const Resolved& r, const std::string& path) {
        EXPECT_EQ(r.path, path);
        EXPECT_FALSE(r.box.has_value()) << "a message: " << r.box->text;
    }

    // Each row's default value, and the path start-up takes (nullptr: none, with the message).
    struct Row {
        const char* what;
        DWORD type;
        std::vector<unsigned char> data;
        const char* path;
    };
    void ExpectRows(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            const Resolved r = WithDefault(row.type, row.data);
            if (row.path) ExpectPath(r, row.path);
            else ExpectNothingFound(r);
        }
    }

    SavedHfzCommand saved_;  // puts the registered command back as it was
    std::unique_ptr<Registry> registry_ = win32::MakeRegistry();
};

TEST_F(ReliabilityRegistry, ValuesThatAreNoTextMeanNothingIsRegistered) {
    quelbrin::test::ReliabilityCase("Registry", "default value REG_BINARY, REG_MULTI_SZ, REG_NONE",
                                    R"~(start-up shows "InstallHFZ.exe not found..." and leaves the path empty)~");
    ExpectRows({{"REG_BINARY holding a path", REG_BINARY, Bytes("\"C:\\HFX\\InstallHFZ.exe\" %1"), nullptr},
                {"REG_MULTI_SZ holding a command", REG_MULTI_SZ, WithNul(L"\"C:\\HFX\\InstallHFZ.exe\" %1\0second\0"), nullptr},
                {"REG_NONE", REG_NONE, Utf16Bytes(L"C:\\x.exe"), nullptr}});
}

TEST_F(ReliabilityRegistry, EmptyOrMissingValuesMeanNothingIsRegistered) {
    quelbrin::test::ReliabilityCase("Registry", "empty value, NUL first, key without a default value, no hfzfile class",
                                    "start-up shows the message and leaves the path empty");
    ExpectRows({{"REG_SZ of no bytes", REG_SZ, {}, nullptr},
                {"REG_SZ of a lone NUL", REG_SZ, WithNul(L""), nullptr},
                {"NUL first, a command after it", REG_SZ, WithNul(L"\0\"C:\\HFX\\InstallHFZ.exe\" %1"), nullptr}});
    {
        SCOPED_TRACE("the key with no default value");
        TestKey key(HKEY_LOCAL_MACHINE, kCommandKey);
        key.Set("other", REG_SZ, WithNul(L"\"C:\\HFX\\InstallHFZ.exe\" %1"));
        ExpectNothingFound(Resolve());
    }
    {
        SCOPED_TRACE("no hfzfile class at all");
        DeleteClass(HKEY_LOCAL_MACHINE);
        ExpectNothingFound(Resolve());
    }
}

// A command registered for this user alone is never taken, with or without a
// machine-wide one: Quelbrin runs elevated, the user's classes are anyone's.
TEST_F(ReliabilityRegistry, APerUserRegistrationCountsAsNothing) {
    quelbrin::test::ReliabilityCase("Administrator", R"~(an installer command registered per user (HKCU\Software\Classes), alone or beside a machine-wide one)~",
                                    R"~(only HKLM\Software\Classes counts: per user alone gives "InstallHFZ.exe not found..." and an empty path; with both, the machine-wide command is used (the fake's HKCR shows the per-user one, as Windows does))~");
    HKEY probe = nullptr;
    const bool userHadClass = RegOpenKeyExW(HKEY_CURRENT_USER, kClassKey, 0, KEY_READ, &probe) == ERROR_SUCCESS;
    if (probe) RegCloseKey(probe);
    ASSERT_FALSE(userHadClass) << "this user already has an hfzfile class";
    {
        TestKey user(HKEY_CURRENT_USER, kCommandKey);
        user.Set("", REG_SZ, WithNul(L"\"C:\\users\\Public\\evil.exe\" %1"));
        {
            SCOPED_TRACE("per user only");
            DeleteClass(HKEY_LOCAL_MACHINE);
            ExpectNothingFound(Resolve());
        }
        {
            SCOPED_TRACE("per user and machine-wide");
            ExpectPath(WithDefault(REG_SZ, WithNul(L"\"C:\\HFX\\InstallHFZ.exe\" %1")), "C:\\HFX\\InstallHFZ.exe");
        }
    }
    DeleteClass(HKEY_CURRENT_USER);
}

TEST_F(ReliabilityRegistry, TextValuesOfOddShapesGiveTheProgramTheyName) {
    quelbrin::test::ReliabilityCase("Registry", "4 characters, not NUL-terminated, odd byte count, NUL inside, non-ANSI, REG_EXPAND_SZ",
                                    R"~(start-up takes the program the text names ("abcd", "x" from "x %1", expanded variables))~");
    ASSERT_TRUE(SetEnvironmentVariableW(L"QUELBRIN_RELIABILITY_HFX", L"D:\\Pinnacle HFX"));
    std::vector<unsigned char> odd = Utf16Bytes(L"\"C:\\I.exe\" %1");
    odd.push_back('x');
    ExpectRows({{"not NUL-terminated", REG_SZ, Utf16Bytes(L"\"C:\\HFX\\InstallHFZ.exe\" %1"), "C:\\HFX\\InstallHFZ.exe"},
                {"an odd number of bytes", REG_SZ, odd, "C:\\I.exe"},
                {"a second command after a NUL", REG_SZ, WithNul(L"\"C:\\a.exe\" %1\0\"D:\\b.exe\" %1"), "C:\\a.exe"},
                {"four characters", REG_SZ, WithNul(L"abcd"), "abcd"},
                {"a name and %1", REG_SZ, WithNul(L"x %1"), "x"},
                {"outside the ANSI code page", REG_SZ, WithNul(L"\"C:\\Эффекты\\特效\\InstallHFZ.exe\" %1"),
                 "C:\\\xD0\xAD\xD1\x84\xD1\x84\xD0\xB5\xD0\xBA\xD1\x82\xD1\x8B\\\xE7\x89\xB9\xE6\x95\x88\\InstallHFZ.exe"},
                {"REG_EXPAND_SZ", REG_EXPAND_SZ, WithNul(L"\"%QUELBRIN_RELIABILITY_HFX%\\InstallHFZ.exe\" \"%1\""),
                 "D:\\Pinnacle HFX\\InstallHFZ.exe"}});
}

TEST_F(ReliabilityRegistry, ATenThousandCharacterCommandGivesItsWholePath) {
    quelbrin::test::ReliabilityCase("Registry", "10,000 characters",
                                    "the whole value is read; start-up takes the whole 9,995-character path");
    // Quote, path, quote, blank, %1: 10,000 characters in all.
    std::wstring path = L"C:\\";
    while (path.size() < 9995 - 6) path += L"deep\\";
    path.resize(9995 - 6);
    path += L"\\x.exe";
    const std::wstring command = L"\"" + path + L"\" %1";
    ASSERT_EQ(command.size(), 10000u);
    const Resolved r = WithDefault(REG_SZ, Utf16Bytes(std::wstring_view(command.c_str(), command.size() + 1)));
    ExpectPath(r, win32::Narrow(path));
    EXPECT_EQ(r.path.size(), 9995u);
}

// A number where a command belongs: read as its decimal text and taken as
// the program's name, without a message; the install then fails with the
// system's "file not found".
TEST_F(ReliabilityRegistry, ADwordValueIsTakenForAProgramName) {
    quelbrin::test::ReliabilityCase("Registry", "default value REG_DWORD",
                                    "read as its decimal text and taken as the program's name, no message (see the notes)");
    quelbrin::test::ReliabilityNote(
        "A REG_DWORD default value is read as its decimal text and used as the installer's name without a "
        "message; the first install then reports the system's \"file not found\".");
    ExpectPath(WithDefault(REG_DWORD, {0x78, 0x56, 0x34, 0x12}), "305419896");
}

}  // namespace
}  // namespace quelbrin::test
