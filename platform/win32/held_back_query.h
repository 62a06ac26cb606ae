#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A registered message that the main window answers with the number of
// answer passes that held their keys back since it was created. A program
// that watches a batch (our end-to-end tests do) learns from it, without
// guessing at time, that a pass came due while the installer's window was
// not in front, and typed nothing. Answering it changes nothing; an
// elevated Quelbrin gets it only from programs at its own level (UIPI).
// 0 when the system could not register it.
inline UINT HeldBackPassesQuery() { return RegisterWindowMessageW(L"QuelbrinHeldBackPasses"); }

}  // namespace quelbrin::win32
