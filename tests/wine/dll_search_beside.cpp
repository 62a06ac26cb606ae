// A DLL of no use but to be found, or not, beside the program that loads it
// by its bare name.
#include "platform/win32/windows_wrapper.h"

extern "C" __declspec(dllexport) int QuelbrinBesideDll() { return 42; }
