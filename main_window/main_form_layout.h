#pragma once
#include <array>

#include "main_window/hfz_listing.h"
#include "platform/window_design.h"

// The main window's and the dialog's design.
namespace quelbrin::layout {

constexpr const char* kAppTitle = "Quelbrin";
constexpr int kClientWidth = 6255, kClientHeight = 1935;
constexpr int kDesignLeft = 180, kDesignTop = 570;

// In creation order.
constexpr std::array<ControlSpec, 9> kMainControls{{
    {IdBtExit, Kind::Button, "Cancel / Exit", "Cancel installation batch and exit", 4320, 1200, 1815, 375, 8, false},
    {IdBtAbout, Kind::Button, "About...", "Information and settings", 2520, 1200, 1815, 375, 4, false},
    {IdBtStart, Kind::Button, "Install All Files", "Batch-install all .hfz files", 2520, 840, 3615, 375, 3, true},
    {IdBtInst, Kind::Button, "Install Selected File", "Install only the selected .hfz file", 4320, 480, 1815, 375, 7, false},
    {IdBtBrowse, Kind::Button, "Browse...", "Browse for a folder that contains .hfz files", 2520, 480, 1815, 375, 2, false},
    {IdTxPath, Kind::TextBox, "", "Path for folder with .hfz files", 2520, 120, 3615, 285, 1, false},
    {IdFileList, Kind::FileList, "", nullptr, 120, 120, 2295, 1455, 0, false},
    {IdStatus2, Kind::Label, "Ready", nullptr, 0, 1680, 3135, 255, 6, false},
    {IdStatus1, Kind::Label, "", nullptr, 3120, 1680, 3135, 255, 5, false},
}};

constexpr std::array<AccessibleName, 2> kAccessibleNames{{
    {IdTxPath, "Folder with .hfz files"},
    {IdFileList, "Packages"},
}};
constexpr std::array<ControlId, 2> kLiveRegions{IdStatus2, IdStatus1};

// The file list's context menu, in this order; a null entry is a separator.
constexpr int kInstallThisFile = 0, kInstallFromHereToTheEnd = 1, kCopyReport = 3;
constexpr std::array<const char*, 4> kFileMenu{"Install This File", "Install From Here to the End", nullptr,
                                               "Copy Report"};

constexpr MainWindowDesign kMainWindow{kAppTitle, kClientWidth, kClientHeight, kMainControls,
                                       HasHfzExtension, kAccessibleNames, kLiveRegions};

constexpr const char* kDialogTitle = "'bout 'n settings";
constexpr int kDialogClientWidth = 5880, kDialogClientHeight = 1335;
constexpr int kDialogDesignLeft = 180, kDialogDesignTop = 855;

constexpr std::array<DialogControlSpec, 6> kDialogControls{{
    {IdPicture1, DialogKind::Picture, "", nullptr, 120, 120, 780, 765, 5, false},
    {IdTxPathInst, DialogKind::TextBox, "",
     "Paste here the full path with the filename of your .hfz installer program, if you don't want to use the default one from the registry.",
     120, 960, 5655, 285, 1, false},
    {IdOKButton, DialogKind::Button, "OK", nullptr, 5040, 120, 735, 375, 0, true},
    {IdLabel3, DialogKind::Label, "files by the Quelbrin authors, free to use and share", nullptr, 1080, 360, 3855, 255, 4, false},
    {IdLabel2, DialogKind::Label, "Batch installer program for Pinnacle Hollywood FX .hfz", nullptr, 1080, 120, 3975, 255, 3, false},
    {IdLabel1, DialogKind::Label, "Installer for .hfz files (usually InstallHFZ.exe or ClubInstall.exe):", nullptr, 1080, 720, 4695, 255, 2, false},
}};

constexpr DialogDesign kDialog{kDialogTitle, kDialogClientWidth, kDialogClientHeight, kDialogControls};

}  // namespace quelbrin::layout
