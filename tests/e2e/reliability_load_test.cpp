// A batch of 300 packages with an installer that closes on the first pass:
// every package once, in list order, one at a time, and no handles or
// memory left behind per package. The figures go to a file for the report.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/win32/utf.h"
#include "tests/e2e/reliability_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

constexpr int kPackages = 300;
constexpr SIZE_T kMostGrowthPerPackage = 4096;

class ReliabilityLoad : public E2eTest {};

std::wstring PackageName(int i) {
    wchar_t name[32];
    wsprintfW(name, L"Effect %03d.hfz", i);
    return name;
}

void WriteFigures(const std::vector<std::pair<std::string, std::string>>& figures) {
    std::ofstream out(std::filesystem::path(WinePath(LOAD_FIGURES)), std::ios::trunc);
    for (const auto& [key, value] : figures) out << key << "=" << value << "\n";
}

std::string Number(long long n) { return std::to_string(n); }

TEST_F(ReliabilityLoad, ThreeHundredPackagesOnceEachInListOrderWithoutLeaks) {
    quelbrin::test::ReliabilityCase("Load", "a batch of 300 packages, installer closes on the first pass",
                                    "300 installs, once each, in list order, one at a time; handles not more at the end than before; private memory grown by less than 4 KB a package (figures below)");
    DeleteFileW(WinePath(LOAD_FIGURES).c_str());
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::wstring warmUp = MakePackages(L"warm-up", {L"Warm-up.hfz"});
    std::vector<std::wstring> names;
    // Made in reverse: the batch follows the list, not the order of creation.
    for (int i = kPackages; i >= 1; --i) names.push_back(PackageName(i));
    const std::wstring packages = MakePackages(L"load", names);
    StartAndWaitForWindow();

    // What a first batch creates once (the warning box, the install lock, the
    // first process start) is made before the first measurement.
    ASSERT_TRUE(RunBatch(warmUp, 1));
    ASSERT_TRUE(EndedWith(WaitForCommandEnd(*app_, 60s), L"Ready"));

    ASSERT_EQ(ListFolder(*app_, packages), std::to_wstring(kPackages) + L" .hfz files");
    std::this_thread::sleep_for(1s);
    const ProcessFigures before = MeasureProcess(app_->Id());

    ASSERT_TRUE(app_->Click(IdBtStart) && AnswerBatchWarning());
    const auto started = std::chrono::steady_clock::now();
    const CommandEnd end = WaitForCommandEnd(*app_, 1000s);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count() / 1000.0;
    std::this_thread::sleep_for(1s);
    const ProcessFigures after = MeasureProcess(app_->Id());

    const auto runs = ReadInstallerLog(log);
    const std::size_t installed = runs.empty() ? 0 : runs.size() - 1;  // without the warm-up
    // The documented figures where Windows gives them; Wine 8 gives 0 for
    // another process, and then the handle table and the address space count.
    const bool countReported = before.handleCount > 0 && after.handleCount > 0;
    const bool handlesKnown = countReported || (before.handleTableKnown && after.handleTableKnown);
    const long long handlesBefore = countReported ? before.handleCount : before.handlesInTable;
    const long long handlesAfter = countReported ? after.handleCount : after.handlesInTable;
    const bool usageReported = before.privateUsage > 0 && after.privateUsage > 0;
    const bool memoryKnown = usageReported || (before.committedKnown && after.committedKnown);
    const long long memoryBefore = static_cast<long long>(usageReported ? before.privateUsage : before.committedPrivate);
    const long long memoryAfter = static_cast<long long>(usageReported ? after.privateUsage : after.committedPrivate);
    char perPackage[32], duration[32];
    std::snprintf(perPackage, sizeof perPackage, "%.2f", installed ? seconds / static_cast<double>(installed) : 0.0);
    std::snprintf(duration, sizeof duration, "%.1f", seconds);
    WriteFigures({
        {"packages", Number(kPackages)},
        {"installed", Number(static_cast<long long>(installed))},
        {"seconds", duration},
        {"seconds_per_package", perPackage},
        {"slowest_answer_ms", Number(end.slowestAnswer.count())},
        {"handle_count_before", Number(before.handleCount)},
        {"handle_count_after", Number(after.handleCount)},
        {"handle_table_before", before.handleTableKnown ? Number(before.handlesInTable) : "unknown"},
        {"handle_table_after", after.handleTableKnown ? Number(after.handlesInTable) : "unknown"},
        {"handles_measured_by", countReported ? "GetProcessHandleCount" : handlesKnown ? "handle table" : "nothing"},
        {"private_usage_before", Number(static_cast<long long>(before.privateUsage))},
        {"private_usage_after", Number(static_cast<long long>(after.privateUsage))},
        {"committed_private_before", before.committedKnown ? Number(static_cast<long long>(before.committedPrivate)) : "unknown"},
        {"committed_private_after", after.committedKnown ? Number(static_cast<long long>(after.committedPrivate)) : "unknown"},
        {"memory_measured_by", usageReported ? "PrivateUsage" : memoryKnown ? "committed private regions" : "nothing"},
        {"working_set_before", Number(static_cast<long long>(before.workingSet))},
        {"working_set_after", Number(static_cast<long long>(after.workingSet))},
    });
    std::printf("%zu packages in %s s (%s s each); handles %lld -> %lld (GetProcessHandleCount %lu -> %lu); "
                "private memory %lld -> %lld (PrivateUsage %llu -> %llu); working set %llu -> %llu\n",
                installed, duration, perPackage, handlesBefore, handlesAfter,
                static_cast<unsigned long>(before.handleCount), static_cast<unsigned long>(after.handleCount),
                memoryBefore, memoryAfter, static_cast<unsigned long long>(before.privateUsage),
                static_cast<unsigned long long>(after.privateUsage), static_cast<unsigned long long>(before.workingSet),
                static_cast<unsigned long long>(after.workingSet));

    EXPECT_TRUE(EndedWith(end, L"Ready"));
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(kPackages) + 1);
    EXPECT_EQ(Text(IdStatus1), PackageName(kPackages) + L" installed");
    for (int i = 1; i <= kPackages; ++i) {
        const InstallerRun& run = runs[static_cast<std::size_t>(i)];
        SCOPED_TRACE(Utf8(PackageName(i)));
        EXPECT_EQ(run.commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\" + PackageName(i)));
        EXPECT_EQ(run.passes, 1);
        EXPECT_EQ(run.closeReason, "passes");
    }
    ExpectEachAfterThePreviousWindowClosed(runs);

    ASSERT_TRUE(handlesKnown) << "no way to count Quelbrin's handles";
    EXPECT_LE(handlesAfter, handlesBefore) << "handles left behind by the batch";
    ASSERT_TRUE(memoryKnown) << "no way to measure Quelbrin's private memory";
    EXPECT_LT(memoryAfter - memoryBefore, static_cast<long long>(kPackages * kMostGrowthPerPackage))
        << "private memory grew by " << memoryAfter - memoryBefore << " bytes";
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
