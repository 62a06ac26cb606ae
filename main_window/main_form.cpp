#include "main_window/main_form.h"

#include <array>

#include "platform/error_info.h"
#include "platform/folder_text.h"

#include "installer/install_commands.h"
#include "main_window/main_form_layout.h"
#include "main_window/mapped_drive.h"
#include "main_window/start_place.h"
#include "settings/about_dialog.h"
#include "settings/installer_path.h"

namespace quelbrin {

namespace {
constexpr const char* kPickerTitle =
    "Please select the folder that contains the .hfz files you wish to install.";
}

MainForm::MainForm(Platform& platform)
    : platform_(platform), view_(platform.ui.CreateMainWindow(*this, layout::kMainWindow)) {}

void MainForm::Start(std::optional<std::string> argument) {
    argument_ = std::move(argument);
    Form_Load();
    view_->Show();
}

void MainForm::Form_Load() {
    ResolveInstallerPath(*this);
    // "Send to" from a drive the user mapped: only its network path can be
    // listed here, and only that one opens for the installer.
    std::optional<std::string> argument = argument_;
    if (argument)
        if (std::string mapped = UserMappedNetworkPath(platform_.files, platform_.registry, *argument); !mapped.empty())
            argument = std::move(mapped);
    const StartPlace place = ChooseStartPlace(platform_.files, argument);
    view_->TxPath().SetText(place.folder);
    // A folder that could not be listed leaves the list empty here, at start.
    if (!place.file.empty()) SelectListed(place.file);
}

void MainForm::SelectListed(const std::string& name) {
    FileListBox& list = view_->FileList();
    for (int i = 0; i < list.ListCount(); ++i) {
        if (platform_.files.CompareNames(list.List(i), name) == 0) {
            list.SetListIndex(i);
            return;
        }
    }
}

void MainForm::Form_Unload() { platform_.ui.EndProgram(); }

void MainForm::BtExit_Click() { platform_.ui.EndProgram(); }

void MainForm::BtAbout_Click() {
    Dialog dialog(*this);
    platform_.ui.ShowDialog(dialog, layout::kDialog);
}

void MainForm::BtBrowse_Click() {
    std::optional<std::string> folder = platform_.ui.BrowseForFolder(kPickerTitle, kBrowseFlags);
    if (!folder) return;
    chosenFolder_ = *folder;
    view_->TxPath().SetText(chosenFolder_);
}

void MainForm::TxPath_Change() {
    FileListBox& list = view_->FileList();
    const std::string folder = view_->TxPath().Text();
    // Listed again: the last command's outcomes, and its installers, go.
    report_.Clear();
    ShowReport();
    // The list ignores an empty text and would go on showing the last folder,
    // while the install commands joined "" and a name into "\name"; and the
    // folder is read at each keystroke, so a partial server name must not go
    // out to the network.
    if (!IsUsableFolderText(folder)) {
        ShowInvalidPath(folder);
        return;
    }
    try {
        list.SetFileName(folder);
        list.Refresh();
        view_->SetStatus2Tip("");
        view_->Status2().SetText(std::to_string(list.ListCount()) + " .hfz files");
        if (!list.List(0).empty()) list.SetListIndex(0);
    } catch (const ErrorInfo&) {
        ShowInvalidPath(folder);
    }
}

void MainForm::ShowInvalidPath(const std::string& folder) {
    // The text stays as typed; the tooltip tells what to type instead.
    view_->SetStatus2Tip(MappedDriveHint(platform_.files, platform_.registry, folder));
    view_->Status2().SetText("Invalid path");
    try {
        view_->FileList().SetFileName("");
    } catch (const ErrorInfo&) {
    }
}

void MainForm::FileList_Click() { view_->Status1().SetText(view_->FileList().FileName()); }

void MainForm::FileList_DblClick() { BtInst_Click(); }

void MainForm::FileList_ContextMenu(int index) {
    FileListBox& list = view_->FileList();
    if (busy_ || index < 0 || index >= list.ListCount()) return;
    list.SetListIndex(index);
    ShowReport();  // exit codes that came meanwhile
    std::array<MenuCommand, layout::kFileMenu.size()> menu{};
    for (std::size_t i = 0; i < menu.size(); ++i) menu[i] = MenuCommand{layout::kFileMenu[i], true};
    menu[layout::kCopyReport].enabled = report_.HasRun();
    switch (view_->ShowFileMenu(menu)) {
    case layout::kInstallThisFile: BtInst_Click(); break;
    case layout::kInstallFromHereToTheEnd: InstallFilesFrom(*this, index); break;
    case layout::kCopyReport: FileList_Copy(); break;
    default: break;
    }
}

void MainForm::FileList_Copy() {
    if (busy_ || !report_.HasRun()) return;
    ShowReport();
    try {
        platform_.ui.SetClipboardText(report_.Table());
    } catch (const ErrorInfo& error) {
        platform_.ui.MsgBox("The report could not be put on the clipboard: " + error.Description,
                            layout::kAppTitle, msgbox::Critical);
    }
}

void MainForm::ShowReport() {
    report_.ReadExitCodes();
    const std::vector<FileMark> marks = report_.Marks();
    view_->ShowFileMarks(marks);
}

void MainForm::BtInst_Click() { InstallSelectedFile(*this); }

void MainForm::BtStart_Click() { InstallAllFiles(*this); }

void MainForm::BusyState(bool busy) {
    Control* const controls[] = {&view_->BtInst(),   &view_->BtStart(), &view_->BtAbout(),
                                 &view_->BtBrowse(), &view_->TxPath(),  &view_->FileList()};
    // The focus leaves the controls before they are disabled, and comes
    // back only once they are enabled again.
    busy_ = busy;
    if (busy) view_->SetBusy(true);
    for (Control* c : controls) c->SetEnabled(!busy);
    if (!busy) view_->SetBusy(false);
}

}  // namespace quelbrin
