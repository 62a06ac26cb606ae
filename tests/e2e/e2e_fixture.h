#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main_window/main_form_layout.h"
#include "tests/e2e/quelbrin_run.h"
#include "tests/e2e/substitute.h"
#include "tests/e2e/test_folder.h"
#include "tests/e2e/text_changes.h"
#include "tests/support/wait_until.h"

namespace quelbrin::e2e {

using namespace std::chrono_literals;
using test::Scaled;
using test::WaitUntil;

// Each test gets a folder of its own: "app" holds Quelbrin.exe and, where the
// test wants one, the substitute as InstallHFZ.exe; packages go where the test
// puts them. At the end Quelbrin and everything it started are gone.
class E2eTest : public ::testing::Test {
protected:
    E2eTest();
    void TearDown() override;

    std::wstring AppFolder() const { return folder_ / L"app"; }
    // The substitute beside Quelbrin as InstallHFZ.exe; returns its log path.
    std::wstring PlaceInstaller(const SubstituteConfig& config, const std::wstring& name = L"InstallHFZ.exe");
    // A folder (relative to the test's folder) with these ".hfz" files; returns its path.
    std::wstring MakePackages(const std::wstring& relative, const std::vector<std::wstring>& names);

    // Starts Quelbrin in startFolder_, with these arguments if any.
    void Start(const std::wstring& arguments = L"");
    // Starts Quelbrin and waits for its main window (fails the test if none);
    // from then on every text Status2 shows is recorded.
    void StartAndWaitForWindow(const std::wstring& arguments = L"");
    // The substitute as InstallHFZ.exe, these packages in "packages"
    // (packages_), Quelbrin started and that folder listed; returns the log.
    std::wstring StartListing(const SubstituteConfig& config, const std::vector<std::wstring>& names);
    // The command line InstallHFZ.exe beside Quelbrin gets for a package of packages_.
    std::string CommandLineFor(const std::wstring& name) const;
    // Types a folder into the folder box and waits until Status2 counts its files.
    ::testing::AssertionResult List(const std::wstring& packages, std::size_t count);
    // Lists the folder and presses "Install All Files"; answers the warning.
    ::testing::AssertionResult RunBatch(const std::wstring& packages, std::size_t count);
    // Answers the warning that comes before a batch.
    ::testing::AssertionResult AnswerBatchWarning();
    // Waits until the substitute's log has a run `index` for which `holds` is true.
    ::testing::AssertionResult WaitForRun(const std::wstring& log, std::size_t index,
                                          const std::function<bool(const InstallerRun&)>& holds,
                                          std::chrono::milliseconds timeout = 30s);
    // Presses "Cancel / Exit" and expects the program to end within 10 s.
    void ExitAndExpectGone();
    // Lists a folder with one package, "Stubborn.hfz", and presses "Install
    // Selected File" with an installer that takes keys and never closes;
    // returns once its window has had `keys` keys. Returns its log and the
    // folder.
    struct EndlessInstall {
        std::wstring log;
        std::wstring packages;
    };
    EndlessInstall StartAnInstallThatNeverEnds(std::size_t keys);

    // Every text Status2 has shown since the folder was last listed (the
    // count itself left out) until it reads "Ready" or an error, or the
    // program ends; the last one is where it stopped. Meanwhile mostAtOnce_
    // counts the installers that ran at one time.
    std::vector<std::wstring> Status2UntilTheEnd(std::chrono::milliseconds timeout);

    std::wstring Text(int id) const { return app_->Text(id); }
    // Waits until a control reads `expected`; false (with the last text
    // printed) when it doesn't in time.
    ::testing::AssertionResult WaitForText(int id, const std::wstring& expected,
                                           std::chrono::milliseconds timeout);

    TestFolder folder_;
    std::wstring startFolder_ = AppFolder();  // Quelbrin's current folder
    std::wstring packages_;
    std::unique_ptr<QuelbrinRun> app_;
    std::unique_ptr<TextChanges> status2_;
    std::size_t status2Mark_ = 0;  // where Status2UntilTheEnd starts
    std::size_t mostAtOnce_ = 0;
};

std::string Utf8(const std::wstring& text);

// Never two installers at once: each run of the log started only after the
// window of the run before it had closed.
void ExpectEachAfterThePreviousWindowClosed(const std::vector<InstallerRun>& runs);

}  // namespace quelbrin::e2e
