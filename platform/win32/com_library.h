#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// COM on the main window's thread, made the first time something needs it
// (the taskbar button, the screen-reader names, the folder picker) rather
// than at start: ole32.dll is not imported but loaded then from System32
// alone (LoadLibraryExW, LOAD_LIBRARY_SEARCH_SYSTEM32), and the thread joins
// a single-threaded apartment. Where ole32 or the apartment can't be had,
// the callers go without what COM would have given them.
namespace com {

// Loads ole32 and enters the apartment, once; true if COM can be used.
// The main window's thread only.
bool Ready();
// CoCreateInstance for an in-process server; E_FAIL where COM isn't Ready().
HRESULT CreateInProcess(const GUID& classId, const GUID& interfaceId, void** made);
// CoTaskMemFree; null is fine.
void FreeTaskMemory(void* memory);
// Leaves the apartment if Ready() entered it; at the end of the program.
void End();

}  // namespace com

}  // namespace quelbrin::win32
