#pragma once

namespace quelbrin::win32 {

// Window classes of this program's two windows.
constexpr const wchar_t* kMainWindowClass = L"QuelbrinMainWindow";
constexpr const wchar_t* kDialogWindowClass = L"QuelbrinSettingsDialog";

}  // namespace quelbrin::win32
