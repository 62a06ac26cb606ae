#pragma once
#include <memory>
#include <optional>
#include <string>

#include "installer/run_report.h"
#include "platform/main_window_view.h"
#include "platform/platform.h"

namespace quelbrin {

// The main window's behaviour: start-up, folder listing, busy state,
// shutdown; the install commands and the dialog are reached from here.
class MainForm final : public MainFormEvents {
public:
    explicit MainForm(Platform& platform);

    // Raises Load, then shows the window. The program's argument, when there
    // is one, names the folder or the package to start at.
    void Start(std::optional<std::string> argument = std::nullopt);

    void Form_Load() override;
    void Form_Unload() override;
    void BtExit_Click() override;
    void BtAbout_Click() override;
    void BtBrowse_Click() override;
    void TxPath_Change() override;
    void FileList_Click() override;
    void FileList_DblClick() override;
    void FileList_ContextMenu(int index) override;
    void BtInst_Click() override;
    void BtStart_Click() override;
    // "Copy Report": the last command's report on the clipboard.
    void FileList_Copy() override;

    void BusyState(bool busy);
    MainWindowView& View() { return *view_; }
    Platform& Env() { return platform_; }
    // What became of the files of the last install command.
    RunReport& Report() { return report_; }
    // The report's marks in the file list, with the exit codes read so far.
    void ShowReport();

    std::string HfzInstPath;

private:
    // The re-listing's error handler: "Invalid path", the list as it was,
    // and a hint on a drive the user mapped.
    void ShowInvalidPath(const std::string& folder);
    // Selects a listed file by name (letter case ignored); no-op when absent.
    void SelectListed(const std::string& name);

    Platform& platform_;
    std::unique_ptr<MainWindowView> view_;
    std::string chosenFolder_;  // the folder picker's last answer
    std::optional<std::string> argument_;
    RunReport report_;
    bool busy_ = false;
};

}  // namespace quelbrin
