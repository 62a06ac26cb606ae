#pragma once

namespace quelbrin::win32 {

// Window classes of this program's two windows.
constexpr const wchar_t* kMainWindowClass = L"QuelbrinMainWindow";
constexpr const wchar_t* kDialogWindowClass = L"QuelbrinSettingsDialog";

// Set on the main window's "Cancel / Exit" button while an install runs.
constexpr const wchar_t* kBusyProperty = L"Quelbrin.Busy";

}  // namespace quelbrin::win32
