#include "installer/install_commands.h"

#include "installer/run_installer.h"
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

void ReportError(MainForm& form, const ErrorInfo& error) {
    form.View().Status2().SetText("Error: " + error.Description);
    form.BusyState(false);
}

}  // namespace

std::string CountdownText(int index, int count) {
    return std::to_string(count - 1 - index) + " .hfz files remaining of " +
           std::to_string(count) + " total";
}

void InstallSelectedFile(MainForm& form) {
    MainWindowView& view = form.View();
    form.BusyState(true);
    try {
        if (!view.FileList().FileName().empty()) {
            if (view.Status2().Text() == kInvalidPath) {
                form.BusyState(false);
                return;
            }
            InstallSession session = BeginInstalling(form.Env());
            view.Status2().SetText("Installing selected file...");
            RunInstaller(form, [] { return true; });
        }
        view.Status2().SetText("Ready");
        form.BusyState(false);
    } catch (const ErrorInfo& error) {
        ReportError(form, error);
    }
}

void InstallAllFiles(MainForm& form) {
    MainWindowView& view = form.View();
    FileListBox& list = view.FileList();
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
            for (int index = 0; index <= last; ++index) {
                view.Status2().SetText(CountdownText(index, list.ListCount()));
                list.SetListIndex(index);
                RunInstaller(form, [&] { return index != list.ListCount() - 1; });
            }
        }
        view.Status2().SetText("Ready");
        form.BusyState(false);
    } catch (const ErrorInfo& error) {
        ReportError(form, error);
    }
}

}  // namespace quelbrin
