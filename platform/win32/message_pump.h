#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// What every message pump of the program does with a message before it is
// dispatched: drops an Enter key aimed at the main window's exit button, and
// gives Tab, Esc and Enter to IsDialogMessage for the window it belongs to.
// True when the message has been dealt with and must not be dispatched.
bool PreTranslateMessage(MSG& message);

// Translates and dispatches a message unless PreTranslateMessage took it.
void DispatchWithKeyboardHandling(MSG& message);

// The message that the program's pumps are dispatching now (a window
// procedure may be running for it, or for one it led to), 0 for none.
UINT DispatchingMessage();

// Processes every message waiting for this thread, then returns. WM_QUIT
// ends the program.
void ProcessPendingMessages();

// The program's message loop; returns WM_QUIT's exit code.
int RunMessageLoop();

}  // namespace quelbrin::win32
