#pragma once

namespace quelbrin::win32 {

// Window classes of this program's two windows.
constexpr const wchar_t* kMainWindowClass = L"QuelbrinMainWindow";
constexpr const wchar_t* kDialogWindowClass = L"QuelbrinSettingsDialog";

// Set on the main window's "Cancel / Exit" button while an install runs.
constexpr const wchar_t* kBusyProperty = L"Quelbrin.Busy";

// Sent to the main window before the pump dispatches a mouse move over its
// file list (wParam the list, lParam as WM_MOUSEMOVE's): the list's own
// procedure tells its parent nothing of the mouse.
constexpr unsigned kFileListMouseMove = 0x8000 + 2;  // WM_APP + 2

}  // namespace quelbrin::win32
