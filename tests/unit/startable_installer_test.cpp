// Which installer paths are started. Quelbrin runs as administrator: a batch file would run
// through cmd.exe, which acts on "&", "|" and "%" in a package's name.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

// One package, "a.hfz", in the program's folder; the installer path set as if typed under "About...".
struct PathHarness : Harness {
    PathHarness() {
        fake.files.AddFile("C:\\Quelbrin", "a.hfz");
        Start();
    }
    void Install(const std::string& installerPath) {
        form->HfzInstPath = installerPath;
        form->BtInst_Click();
    }
};

TEST(StartableInstaller, OnlyExeAndComProgramsAreStarted) {
    quelbrin::test::ReliabilityCase("Administrator", R"~(installer path naming a batch file: .bat, .CMD, "x.cmd ", "x.bat." (also "x.exe."))~",
                                    R"~("Error: " and Quelbrin's words naming the path (only .exe and .com programs are started); nothing started, the batch file never ran (cmd.exe would act on &, the pipe sign and % in package names, as administrator))~");
    // Each names a file that exists; Windows would run the batch files.
    for (const std::string path : {"C:\\HFX\\InstallHFZ.bat", "C:\\HFX\\x.CMD", "C:\\HFX\\x.cmd ",
                                   "C:\\HFX\\x.bat.", "C:\\HFX\\x.exe.", "C:\\HFX\\x.exe ", "C:\\HFX\\readme.txt",
                                   "C:\\HFX\\InstallHFZ"}) {
        SCOPED_TRACE(path);
        PathHarness h;
        h.fake.files.files.insert(path);
        h.Install(path);
        EXPECT_TRUE(h.fake.desktop.launches.empty()) << "started " << h.fake.desktop.launches[0].program;
        EXPECT_EQ(h.Status2(), "Error: the installer \"" + path +
                                   "\" was not started: only .exe and .com programs are started");
        EXPECT_EQ(h.Status1(), "a.hfz");
        EXPECT_TRUE(h.Window().btInst.Enabled());
    }
    for (const std::string path : {"C:\\HFX\\I.EXE", "C:\\HFX\\i.Com", "\"C:\\My HFX\\InstallHFZ.exe\""}) {
        SCOPED_TRACE(path);
        PathHarness h;
        const std::string program = path.front() == '"' ? path.substr(1, path.size() - 2) : path;
        h.fake.files.files.insert(program);
        h.Install(path);
        ASSERT_EQ(h.fake.desktop.launches.size(), 1u);
        EXPECT_EQ(h.fake.desktop.launches[0].program, program);
        EXPECT_EQ(h.Status2(), "Ready");
    }
}

// As the installer used to be started, a path typed without ".exe" finds the
// program; the command line keeps the path as typed.
TEST(StartableInstaller, APathWithoutExtensionStartsThatPathPlusExe) {
    quelbrin::test::ReliabilityCase("Installer path", R"~(typed without ".exe" (About dialog))~",
                                    R"~(the path plus ".exe" is started, its command line keeps the path as typed (quoted when it has blanks); a path with an extension of another kind gets nothing added and is not started)~");
    struct Case {
        std::string typed, program, commandLine;
    };
    const Case cases[] = {
        {"C:\\HFX\\InstallHFZ", "C:\\HFX\\InstallHFZ.exe", "C:\\HFX\\InstallHFZ C:\\Quelbrin\\a.hfz"},
        {"C:\\Pinnacle.HFX\\InstallHFZ", "C:\\Pinnacle.HFX\\InstallHFZ.exe",
         "C:\\Pinnacle.HFX\\InstallHFZ C:\\Quelbrin\\a.hfz"},
        {"\"C:\\My HFX\\InstallHFZ\"", "C:\\My HFX\\InstallHFZ.exe", "\"C:\\My HFX\\InstallHFZ\" C:\\Quelbrin\\a.hfz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PathHarness h;
        h.fake.files.files.insert(c.program);
        h.Install(c.typed);
        ASSERT_EQ(h.fake.desktop.launches.size(), 1u) << h.Status2();
        EXPECT_EQ(h.fake.desktop.launches[0].program, c.program);
        EXPECT_EQ(h.fake.desktop.launches[0].commandLine, c.commandLine);
        EXPECT_EQ(h.Status1(), "a.hfz installed");
    }
    {
        SCOPED_TRACE("an extension of another kind: nothing is added");
        PathHarness h;
        h.fake.files.files.insert("C:\\HFX\\Install.v2.exe");
        h.Install("C:\\HFX\\Install.v2");
        EXPECT_TRUE(h.fake.desktop.launches.empty());
        EXPECT_EQ(h.Status2().rfind("Error: the installer \"C:\\HFX\\Install.v2\" was not started", 0), 0u)
            << h.Status2();
    }
}

// The fake refuses what CreateProcessW refuses, in Windows' words.
TEST(FakeShell, RefusesWhatWindowsCannotStart) {
    fake::FakePlatform fake;
    for (const char* name : {"readme.txt", "InstallHFZ.exe"}) fake.files.AddFile("C:\\HFX", name);
    const std::pair<std::string, std::string> refusals[] = {
        {"", "The system cannot find the file specified."},
        {"C:\\HFX\\missing.exe", "The system cannot find the file specified."},
        {"C:\\HFX", "Access is denied."},
        {"C:\\HFX\\readme.txt", "%1 is not a valid Win32 application."},
    };
    for (const auto& [program, words] : refusals) {
        SCOPED_TRACE(program);
        try {
            fake.desktop.Shell(program, program + " a.hfz", kNormalFocus);
            ADD_FAILURE() << "started";
        } catch (const ErrorInfo& e) {
            EXPECT_EQ(e.Description, words);
        }
    }
    EXPECT_NE(fake.desktop.Shell("C:\\HFX\\InstallHFZ.exe", "C:\\HFX\\InstallHFZ.exe a.hfz", kNormalFocus), nullptr);
}

}  // namespace
}  // namespace quelbrin::test
