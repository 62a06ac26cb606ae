// A program that imports two DLLs that are no Known DLLs (uxtheme.dll,
// version.dll): the import check must reject both.
#include "platform/win32/windows_wrapper.h"

#include <uxtheme.h>
#include <winver.h>

int main() {
    DWORD handle = 0;
    return IsThemeActive() ? 0 : static_cast<int>(GetFileVersionInfoSizeW(L"kernel32.dll", &handle));
}
