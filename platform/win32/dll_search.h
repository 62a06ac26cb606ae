#pragma once

namespace quelbrin::win32 {

// Quelbrin runs as administrator: a DLL that anyone could drop beside it or
// into the current folder must never be loaded in its place of a system
// one. From here on, DLLs load from System32 only; where that is not
// available (Windows 7 without its update), the current folder is at least
// taken out of the search. Call it first thing: only later loads are
// protected. True when DLLs now load from System32 only.
bool RestrictDllSearch();

}  // namespace quelbrin::win32
