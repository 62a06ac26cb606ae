#pragma once
#include <optional>
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::bench {

// Looking at and poking the windows of a program the driver started. Every
// message goes through SendMessageTimeoutW or PostMessageW, so a busy program
// never blocks the driver for good.

// A top-level window of a process with exactly this title; message boxes
// ("#32770") are skipped unless `dialogs` is set, then only they count.
HWND FindTopLevel(DWORD processId, const std::wstring& title, bool dialogs = false);

// WM_GETTEXT of a child control; nullopt when it is missing or does not answer in time.
std::optional<std::wstring> ControlText(HWND parent, int id, UINT timeoutMs = 5000);

// WM_SETTEXT of a child control: returns once its owner has handled it.
bool SetControlText(HWND parent, int id, const std::wstring& text, UINT timeoutMs);

// BM_CLICK posted, never sent: the click handler may run for minutes.
bool PostClick(HWND parent, int id);

}  // namespace quelbrin::bench

namespace quelbrin::bench {

// The pointer to the screen's bottom-right corner, where no window of a run
// shows. Under Wine a window that appears under the resting pointer counts
// as user input (GetLastInputInfo moves), and Quelbrin then waits for the
// user to be quiet before it types; Windows makes no input of it.
void ParkPointer();

}  // namespace quelbrin::bench
