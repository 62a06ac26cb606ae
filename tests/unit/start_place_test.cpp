// Starting at a folder or a package named on the command line.
#include <gtest/gtest.h>

#include "main_window/start_place.h"
#include "platform/command_line.h"
#include "tests/support/reliability_case.h"
#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

TEST(CommandLine, FirstArgumentWithQuotesBlanksAndTrailingBackslash) {
    ReliabilityCase("Start argument", R"~(a quoted path ending in "", an unclosed quote, blanks and tabs, several arguments)~",
                    R"~(the first argument with its backslashes as given, quotes dropped; nothing for a command line with only the program's name)~");
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\Quelbrin\Quelbrin.exe" "D:\My Effects")", R"(D:\My Effects)"},
        {R"(Quelbrin.exe D:\Effects)", R"(D:\Effects)"},
        {R"(Quelbrin.exe    "D:\Effects\")", R"(D:\Effects\)"},
        {R"(Quelbrin.exe "D:\")", R"(D:\)"},
        {R"(Quelbrin.exe D:\Effects\ D:\Other)", R"(D:\Effects\)"},
        {R"(Quelbrin.exe D:\My Effects\Fire.hfz)", R"(D:\My)"},
        {"Quelbrin.exe\t\"D:\\a b\\Fire.hfz\"\t\"D:\\x\"", R"(D:\a b\Fire.hfz)"},
        {R"(Quelbrin.exe D:\"My Effects"\Fire.hfz more)", R"(D:\My Effects\Fire.hfz)"},
        {R"("C:\Quel brin.exe" "D:\unclosed \)", R"(D:\unclosed \)"},
        {R"(Quelbrin.exe "" D:\Effects)", ""},
        {"Quelbrin.exe \"C:\\caf\xc3\xa9\"", "C:\\caf\xc3\xa9"},
    };
    for (const auto& [line, argument] : cases) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(FirstArgument(line).has_value());
        EXPECT_EQ(*FirstArgument(line), argument);
    }
    for (const char* none : {"", "Quelbrin.exe", "Quelbrin.exe  \t ", R"("C:\Program Files\Quelbrin.exe")",
                             R"("C:\Program Files\Quelbrin.exe"  )"}) {
        SCOPED_TRACE(none);
        EXPECT_FALSE(FirstArgument(none).has_value());
    }
}

TEST(StartPlace, FolderFileOrTheProgramsOwnFolder) {
    ReliabilityCase("Start argument", R"~(a pattern, a hidden package, a missing path, an empty argument or trailing "" on the command line)~",
                    R"~(a pattern or a hidden file is taken as a folder (and so reads "Invalid path"), never as its first match; trailing separators go except a drive root's; an empty argument starts in the program's folder)~");
    fake::FakeFileSystem files;
    files.AddFile("D:\\Effects", "Fire.hfz");
    files.AddFile("D:\\Effects", "Hidden.hfz", /*hidden=*/true);
    files.AddFile("D:\\", "Root.hfz");
    struct Case {
        std::optional<std::string> argument;
        std::string folder, file;
    };
    const Case cases[] = {
        {std::nullopt, "C:\\Quelbrin", ""},
        {"", "C:\\Quelbrin", ""},
        {"D:\\Effects", "D:\\Effects", ""},
        {"D:\\Effects\\", "D:\\Effects", ""},
        {"D:\\Effects\\\\", "D:\\Effects", ""},
        {"D:\\", "D:\\", ""},
        {"D:\\Effects\\fire.HFZ", "D:\\Effects", "Fire.hfz"},  // the name as the disk has it
        {"D:/Effects/Fire.hfz", "D:/Effects", "Fire.hfz"},
        {"D:\\Root.hfz", "D:\\", "Root.hfz"},
        {"D:\\Effects\\Hidden.hfz", "D:\\Effects\\Hidden.hfz", ""},  // no ordinary file: fails as a folder
        {"D:\\Effects\\F*.hfz", "D:\\Effects\\F*.hfz", ""},
        {"D:\\Missing", "D:\\Missing", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.value_or("(none)"));
        const StartPlace place = ChooseStartPlace(files, c.argument);
        EXPECT_EQ(place.folder, c.folder);
        EXPECT_EQ(place.file, c.file);
    }
}

// The four cases through the start-up sequence.
TEST(StartPlace, StartUpListsTheFolderSelectsThePackageOrSaysInvalidPath) {
    auto started = [](const std::optional<std::string>& argument) {
        auto h = std::make_unique<Harness>();
        h->fake.files.AddFile("C:\\Quelbrin", "Own.hfz");
        for (const char* name : {"Fire.hfz", "Ice.hfz", "Snow.hfz"}) h->fake.files.AddFile("D:\\Effects", name);
        h->Start(argument);
        return h;
    };
    auto own = started(std::nullopt);
    EXPECT_EQ(own->Window().txPath.Text(), "C:\\Quelbrin");
    EXPECT_EQ(own->Status1(), "Own.hfz");

    auto folder = started("D:\\Effects\\");
    EXPECT_EQ(folder->Window().txPath.Text(), "D:\\Effects");
    EXPECT_EQ(folder->Status2(), "3 .hfz files");
    EXPECT_EQ(folder->Window().fileList.ListIndex(), 0);
    EXPECT_EQ(folder->Status1(), "Fire.hfz");

    auto file = started("D:\\Effects\\ice.hfz");
    EXPECT_EQ(file->Window().txPath.Text(), "D:\\Effects");
    EXPECT_EQ(file->Status2(), "3 .hfz files");
    EXPECT_EQ(file->Window().fileList.ListIndex(), 1);
    EXPECT_EQ(file->Status1(), "Ice.hfz");

    auto missing = started("D:\\Nowhere\\Fire.hfz");
    EXPECT_EQ(missing->Window().txPath.Text(), "D:\\Nowhere\\Fire.hfz");
    EXPECT_EQ(missing->Status2(), "Invalid path");
    EXPECT_TRUE(missing->Window().shown);
}

TEST(StartPlace, ADriveTheUserMappedIsReachedThroughItsNetworkPath) {
    ReliabilityCase("Start argument", R"~("Send to" from N:, which the user mapped to \\srv\fx and the elevated program lacks; typed N:\Effects; a missing folder on a drive it has, or on one nobody mapped)~",
                    R"~(starts in \\srv\fx\Effects with the package selected; typed, "Invalid path" with the text kept and a tooltip giving the network path; no tooltip for the others)~");
    Harness h;
    h.fake.registry.SetString(reg::CurrentUser, "Network\\N", "RemotePath", "\\\\srv\\fx\\");
    h.fake.registry.SetString(reg::CurrentUser, "Network\\D", "RemotePath", "\\\\srv\\d");
    for (const char* name : {"Air.hfz", "Fire.hfz"}) h.fake.files.AddFile("\\\\srv\\fx\\Effects", name);
    h.fake.files.AddFolder("D:\\Effects");
    h.Start("n:\\Effects\\Fire.hfz");
    EXPECT_EQ(h.Window().txPath.Text(), "\\\\srv\\fx\\Effects");
    EXPECT_EQ(h.Status1(), "Fire.hfz");
    h.Window().txPath.SetText("N:\\Effects");
    EXPECT_EQ(h.Status2() + " " + h.Window().txPath.Text(), "Invalid path N:\\Effects");
    EXPECT_NE(h.Window().status2Tip.find("mapped for your user account only"), std::string::npos);
    EXPECT_TRUE(h.Window().status2Tip.ends_with(": \\\\srv\\fx\\Effects")) << h.Window().status2Tip;
    for (const char* other : {"D:\\Missing", "M:\\Effects"}) {
        h.Window().txPath.SetText(other);
        EXPECT_EQ(h.Status2() + h.Window().status2Tip, "Invalid path") << other;
    }
}

}  // namespace
}  // namespace quelbrin::test
