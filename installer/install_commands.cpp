#include "installer/install_commands.h"

#include <functional>
#include <new>
#include <vector>

#include "installer/batch_progress.h"
#include "installer/run_installer.h"
#include "installer/run_report.h"
#include "main_window/main_form_layout.h"

namespace quelbrin {

namespace {

constexpr const char* kInvalidPath = "Invalid path";
constexpr const char* kWarning = "Do not close any of the installation windows!";
constexpr std::int32_t kErrorBusy = 170;  // the platform's "resource in use"

// What an install command holds while it runs: the machine stays awake,
// and no other Quelbrin installs at the same time.
struct InstallSession {
    std::unique_ptr<Hold> installing;
    std::unique_ptr<Hold> awake;
};

InstallSession BeginInstalling(Platform& platform) {
    InstallSession session;
    session.installing = platform.system.TryLockInstalling();
    if (!session.installing)
        throw ErrorInfo(kErrorBusy, layout::kAppTitle,
                        "another Quelbrin is installing packages; try again when it has finished");
    session.awake = platform.system.KeepAwake();
    return session;
}

void ReportError(MainForm& form, const std::string& description) {
    form.View().Status2().SetText("Error: " + description);
    form.BusyState(false);
}

// Failures that are not the platform's: out of memory, a length error.
// They end the command like any other, never with the controls disabled.
std::string DescribeFailure(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure)) return "There was not enough memory to go on.";
    const std::string what = failure.what();
    return what.empty() ? "Something unexpected went wrong." : "Something unexpected went wrong (" + what + ").";
}

// The file at list position `index`, the run's `file`-th: its outcome goes
// into the report, also when it stops the command.
void InstallOne(MainForm& form, int file, const std::function<bool()>& activate) {
    RunReport& report = form.Report();
    Clock& clock = form.Env().clock;
    report.Starting(file, clock.NowMs());
    form.ShowReport();
    InstallerRun run;
    try {
        RunInstaller(form, activate, run);
    } catch (const ErrorInfo& error) {
        report.Failed(file, std::move(run), error.Description, clock.NowMs());
        throw;
    } catch (const std::exception& failure) {
        report.Failed(file, std::move(run), DescribeFailure(failure), clock.NowMs());
        throw;
    }
    report.Done(file, std::move(run), clock.NowMs());
    form.ShowReport();
}

// The files from list position `first` to the end are now the report's.
void BeginReport(MainForm& form, int first, int last) {
    std::vector<std::string> files;
    for (int index = first; index <= last; ++index) files.push_back(form.View().FileList().List(index));
    form.Report().Begin(first, std::move(files));
}

// The command has ended, or stopped at a file: those it did not reach say so.
void EndReport(MainForm& form) {
    form.Report().Stopped();
    form.ShowReport();
}

}  // namespace

std::string CountdownText(int index, int count) {
    return std::to_string(count - 1 - index) + " .hfz files remaining of " +
           std::to_string(count) + " total";
}

void InstallSelectedFile(MainForm& form) {
    MainWindowView& view = form.View();
    view.Taskbar().ClearProgress();  // the error state of the last batch
    form.BusyState(true);
    try {
        if (!view.FileList().FileName().empty()) {
            if (view.Status2().Text() == kInvalidPath) {
                form.BusyState(false);
                return;
            }
            InstallSession session = BeginInstalling(form.Env());
            const int index = view.FileList().ListIndex();
            BeginReport(form, index, index);
            view.Status2().SetText("Installing selected file...");
            InstallOne(form, 0, [] { return true; });
        }
        view.Status2().SetText("Ready");
        form.BusyState(false);
    } catch (const ErrorInfo& error) {
        ReportError(form, error.Description);
    } catch (const std::exception& failure) {
        ReportError(form, DescribeFailure(failure));
    }
    EndReport(form);
}

void InstallAllFiles(MainForm& form) { InstallFilesFrom(form, 0); }

void InstallFilesFrom(MainForm& form, int first) {
    MainWindowView& view = form.View();
    FileListBox& list = view.FileList();
    BatchProgress progress(view.Taskbar());
    try {
        form.BusyState(true);
        if (!list.FileName().empty()) {
            if (view.Status2().Text() == kInvalidPath) {
                form.BusyState(false);
                return;
            }
            InstallSession session = BeginInstalling(form.Env());
            form.Env().ui.MsgBox(kWarning, layout::kAppTitle, msgbox::Information);
            const int last = list.ListCount() - 1;
            BeginReport(form, first, last);
            for (int index = first; index <= last; ++index) {
                progress.FileStarting(index - first, last + 1 - first);
                view.Status2().SetText(CountdownText(index - first, list.ListCount() - first));
                list.SetListIndex(index);
                InstallOne(form, index - first, [&] { return index != list.ListCount() - 1; });
            }
        }
        view.Status2().SetText("Ready");
        form.BusyState(false);
        progress.Finished();
    } catch (const ErrorInfo& error) {
        ReportError(form, error.Description);
        progress.Failed();
    } catch (const std::exception& failure) {
        ReportError(form, DescribeFailure(failure));
        progress.Failed();
    }
    EndReport(form);
}

}  // namespace quelbrin
