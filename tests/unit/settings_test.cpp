#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

#include "settings/about_dialog.h"
#include "settings/installer_path.h"
#include "settings/registry_reader.h"
#include "tests/unit/test_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

constexpr const char* kKey = "hfzfile\\shell\\open\\command";
constexpr const char* kClassesKey = "Software\\Classes\\hfzfile\\shell\\open\\command";

TEST(ReadRegString, ValueTypes) {
    fake::FakeRegistry reg;
    reg.SetString(reg::ClassesRoot, "k", "sz", "C:\\a.exe");
    reg.SetString(reg::ClassesRoot, "k", "exp", "%ProgramFiles%\\x.exe", reg::ExpandSz);
    reg.SetValue(reg::ClassesRoot, "k", "dw", RegValue{reg::Dword, {0x2a, 0x01, 0x00, 0x80}});
    reg.SetValue(reg::ClassesRoot, "k", "bin", RegValue{reg::Binary, {'a', 'b', 0}});
    reg.SetValue(reg::ClassesRoot, "k", "multi", RegValue{reg::MultiSz, {'a', 0, 'b', 0, 0}});
    // Not NUL-terminated, and a NUL inside: cut before the first NUL.
    reg.SetValue(reg::ClassesRoot, "k", "raw", RegValue{reg::Sz, {'a', 'b', 'c'}});
    reg.SetValue(reg::ClassesRoot, "k", "cut", RegValue{reg::Sz, {'a', 0, 'b', 0}});
    reg.environment["ProgramFiles"] = "C:\\Program Files";

    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "sz"), "C:\\a.exe");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "exp"), "%ProgramFiles%\\x.exe");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "dw"), "2147483946");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "bin"), "");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "multi"), "");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "raw"), "abc");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "cut"), "a");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "k", "missing"), "");
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, "nokey", ""), "");
    EXPECT_EQ(reg.openKeys, 0);  // every key closed again
}

TEST(ReadRegString, OpensForReadingOnlyAndReadsLongValuesWhole) {
    fake::FakeRegistry reg;  // refuses write access, as HKCR does for most users
    const std::string longPath = "C:\\" + std::string(3000, 'x') + ".exe";
    reg.SetString(reg::ClassesRoot, kKey, "", longPath);
    EXPECT_EQ(ReadRegString(reg, reg::ClassesRoot, kKey, ""), longPath);
    ASSERT_FALSE(reg.openAccess.empty());
    for (auto access : reg.openAccess) EXPECT_EQ(access, reg::KeyRead);
}

TEST(ProgramFromCommand, TheDocumentedFormGivesTheBarePath) {
    EXPECT_EQ(ProgramFromCommand("\"C:\\Program Files\\Pinnacle\\InstallHFZ.exe\" %1"),
              "C:\\Program Files\\Pinnacle\\InstallHFZ.exe");
    EXPECT_EQ(ProgramFromCommand("\"C:\\I.exe\" %1"), "C:\\I.exe");
}

TEST(ProgramFromCommand, OtherFormsAreReadAsWindowsReadsThem) {
    EXPECT_EQ(ProgramFromCommand("\"C:\\HFX\\InstallHFZ.exe\" \"%1\""), "C:\\HFX\\InstallHFZ.exe");
    EXPECT_EQ(ProgramFromCommand("C:\\HFX\\InstallHFZ.exe %1"), "C:\\HFX\\InstallHFZ.exe");
    EXPECT_EQ(ProgramFromCommand("C:\\Program Files\\HFX\\InstallHFZ.exe %1"),
              "C:\\Program Files\\HFX\\InstallHFZ.exe");
    EXPECT_EQ(ProgramFromCommand("\"C:\\HFX\\InstallHFZ.exe\" /quiet \"%1\""), "C:\\HFX\\InstallHFZ.exe");
    EXPECT_EQ(ProgramFromCommand("C:\\my.exercise\\I.exe %1"), "C:\\my.exercise\\I.exe");
    EXPECT_EQ(ProgramFromCommand("  C:\\I.EXE"), "C:\\I.EXE");
    EXPECT_EQ(ProgramFromCommand("inst %1"), "inst");
    EXPECT_EQ(ProgramFromCommand("a.ex"), "a.ex");  // four characters
}

TEST(ProgramFromCommand, CommandsNamingNoProgramGiveNothing) {
    EXPECT_EQ(ProgramFromCommand(""), "");
    EXPECT_EQ(ProgramFromCommand("   "), "");
    EXPECT_EQ(ProgramFromCommand("%1"), "");
    EXPECT_EQ(ProgramFromCommand("\"%1\""), "");
    EXPECT_EQ(ProgramFromCommand("\"\" %1"), "");  // five characters: nothing left
    EXPECT_EQ(ProgramFromCommand("\""), "");
    EXPECT_EQ(ProgramFromCommand("\"%1\" %1"), "");  // quoted placeholder in the documented form
    EXPECT_EQ(ProgramFromCommand("\"   \" %1"), "");
}

TEST(ResolveInstallerPath, LocalInstallerWinsOverTheRegisteredOne) {
    Harness h;
    h.fake.files.files.insert("C:\\Quelbrin\\InstallHFZ.exe");
    h.fake.registry.SetString(reg::ClassesRoot, kKey, "", "\"D:\\HFX\\InstallHFZ.exe\" %1");
    h.Start();
    EXPECT_EQ(h.form->HfzInstPath, "C:\\Quelbrin\\InstallHFZ.exe");
    EXPECT_TRUE(h.fake.ui.messageBoxes.empty());
}

TEST(ResolveInstallerPath, ProgramInADriveRootKeepsTheDoubleBackslash) {
    Harness h;
    h.fake.files.appPath = "C:\\";
    h.fake.files.AddFolder("C:\\");
    h.fake.files.files.insert("C:\\\\InstallHFZ.exe");
    h.Start();
    EXPECT_EQ(h.form->HfzInstPath, "C:\\\\InstallHFZ.exe");
}

// Start-up with these registrations of the ".hfz" command: what
// HKEY_CLASSES_ROOT shows, the installer path chosen and the boxes shown.
struct Registration {
    std::uint32_t root;
    const char* command;
    std::uint32_t type = reg::Sz;
};
struct Resolved {
    std::string classesRoot, path;
    std::size_t boxes;
};
Resolved StartWith(std::initializer_list<Registration> registrations, std::map<std::string, std::string> env = {}) {
    Harness h;
    for (const Registration& r : registrations)
        h.fake.registry.SetString(r.root, r.root == reg::ClassesRoot ? kKey : kClassesKey, "", r.command, r.type);
    h.fake.registry.environment = std::move(env);
    const std::string classesRoot = ReadRegString(h.fake.registry, reg::ClassesRoot, kKey, "");
    h.Start();
    return {classesRoot, h.form->HfzInstPath, h.fake.ui.messageBoxes.size()};
}

TEST(ResolveInstallerPath, RegisteredCommandIsUsedAndExpanded) {
    EXPECT_EQ(StartWith({{reg::ClassesRoot, "\"%ProgramFiles%\\Pinnacle\\InstallHFZ.exe\" \"%1\"", reg::ExpandSz}},
                        {{"ProgramFiles", "C:\\Program Files"}}).path,
              "C:\\Program Files\\Pinnacle\\InstallHFZ.exe");
    // REG_SZ: nothing is expanded.
    EXPECT_EQ(StartWith({{reg::ClassesRoot, "\"C:\\%x%\\I.exe\" %1"}}, {{"x", "y"}}).path, "C:\\%x%\\I.exe");
}

TEST(ResolveInstallerPath, NothingFoundTellsTheUserBeforeTheWindowShows) {
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.Start();
    ASSERT_EQ(h.fake.ui.messageBoxes.size(), 1u);
    const auto& box = h.fake.ui.messageBoxes[0];
    EXPECT_EQ(box.text, "InstallHFZ.exe not found, or Hollywood FX is not installed!");
    EXPECT_EQ(box.title, "Quelbrin");
    EXPECT_EQ(box.style, 0);
    EXPECT_FALSE(box.mainWindowShown);
    EXPECT_EQ(h.form->HfzInstPath, "");
    // The program runs on.
    EXPECT_TRUE(h.Window().shown);
    EXPECT_EQ(h.Status2(), "1 .hfz files");
}

TEST(ResolveInstallerPath, AnUnusableRegisteredCommandCountsAsNothing) {
    const Resolved r = StartWith({{reg::ClassesRoot, "\"\" %1"}});
    EXPECT_EQ(r.boxes, 1u);
    EXPECT_EQ(r.path, "");
}

// Quelbrin runs as administrator: a command registered per user would let
// any program of the user's be started elevated.
TEST(ResolveInstallerPath, OnlyTheMachineWideRegistrationCounts) {
    quelbrin::test::ReliabilityCase("Administrator", R"~(an installer command registered per user (HKCU\Software\Classes), alone or beside a machine-wide one)~",
                                    R"~(only HKLM\Software\Classes counts: per user alone gives "InstallHFZ.exe not found..." and an empty path; with both, the machine-wide command is used (the fake's HKCR shows the per-user one, as Windows does))~");
    const char* user = "\"C:\\Users\\u\\evil.exe\" %1";
    const char* machine = "\"D:\\HFX\\InstallHFZ.exe\" %1";
    const struct {
        const char* what;
        std::initializer_list<Registration> registered;
        const char *classesRoot, *path;
        std::size_t boxes;
    } rows[] = {
        {"per user only", {{reg::CurrentUser, user}}, user, "", 1},
        {"machine-wide", {{reg::LocalMachine, machine}}, machine, "D:\\HFX\\InstallHFZ.exe", 0},
        {"both: the per-user one wins in HKEY_CLASSES_ROOT, not here",
         {{reg::LocalMachine, machine}, {reg::CurrentUser, user}}, user, "D:\\HFX\\InstallHFZ.exe", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Resolved r = StartWith(row.registered);
        EXPECT_EQ(r.classesRoot, row.classesRoot);
        EXPECT_EQ(r.path, row.path);
        EXPECT_EQ(r.boxes, row.boxes);
    }
}

TEST(SettingsDialog, ShowsThePathAndOkStoresItExactlyAsTyped) {
    InstallHarness h({"a.hfz"});
    std::string shown;
    h.fake.ui.dialogScript = [&](fake::FakeDialog& d, DialogEvents& e) {
        shown = d.txPathInst.Text();
        d.txPathInst.SetText("  E:\\Other Installer.exe ");
        e.OKButton_Click(d);
    };
    h.form->BtAbout_Click();
    EXPECT_EQ(shown, "C:\\Quelbrin\\InstallHFZ.exe");
    EXPECT_TRUE(h.fake.ui.lastDialog->unloaded);
    EXPECT_EQ(h.form->HfzInstPath, "  E:\\Other Installer.exe ");

    // Opened again it shows the new path; closed with the close box it discards.
    h.fake.ui.dialogScript = [&](fake::FakeDialog& d, DialogEvents&) {
        shown = d.txPathInst.Text();
        d.txPathInst.SetText("F:\\discarded.exe");
    };
    h.form->BtAbout_Click();
    EXPECT_EQ(shown, "  E:\\Other Installer.exe ");
    EXPECT_EQ(h.form->HfzInstPath, "  E:\\Other Installer.exe ");
    EXPECT_EQ(h.fake.ui.dialogsShown, 2);
}

TEST(SettingsDialog, EmptyWhenNothingWasFoundAndTheNextInstallUsesTheTypedPath) {
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.fake.files.AddFile("E:\\HFX", "ClubInstall.exe");
    h.Start();
    h.fake.ui.dialogScript = [&](fake::FakeDialog& d, DialogEvents& e) {
        EXPECT_EQ(d.txPathInst.Text(), "");
        d.txPathInst.SetText("E:\\HFX\\ClubInstall.exe");
        e.OKButton_Click(d);
    };
    h.form->BtAbout_Click();
    h.form->BtInst_Click();
    EXPECT_EQ(h.Launched(), std::vector<std::string>{"E:\\HFX\\ClubInstall.exe C:\\Quelbrin\\a.hfz"});
}

}  // namespace
}  // namespace quelbrin::test
