// A second process for the install-lock tests (a mutex is recursive within
// one process, so only another process can find it taken).
//   system_lock_probe try          exit 0 when it got the lock, 1 when it is taken
//   system_lock_probe hold EVENT   takes the lock, signals the named event, then
//                                  keeps it until killed (at most a minute)
// Exit 2: bad arguments or an error.
#include <cstdio>
#include <string>

#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_wrapper.h"

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        auto system = quelbrin::win32::MakeSystem();
        if (command == "try") return system->TryLockInstalling() ? 0 : 1;
        if (command == "hold" && argc > 2) {
            auto hold = system->TryLockInstalling();
            if (!hold) return 1;
            HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, quelbrin::win32::Widen(argv[2]).c_str());
            if (!ready) return 2;
            SetEvent(ready);
            CloseHandle(ready);
            Sleep(60000);
            return 0;
        }
        std::fprintf(stderr, "usage: system_lock_probe try | hold EVENT\n");
        return 2;
    } catch (const quelbrin::ErrorInfo& error) {
        std::fprintf(stderr, "system_lock_probe: %s\n", error.Description.c_str());
        return 2;
    }
}
