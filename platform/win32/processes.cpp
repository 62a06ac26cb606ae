#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

constexpr const char* kCreateProcess = "CreateProcessW";

// The window styles a caller may ask for, numbered as ShowWindow numbers them
// (6 is "minimised without focus").
int ShowCommand(int windowStyle) {
    switch (windowStyle) {
    case 0: return SW_HIDE;
    case 1: return SW_SHOWNORMAL;
    case 2: return SW_SHOWMINIMIZED;
    case 3: return SW_SHOWMAXIMIZED;
    case 4: return SW_SHOWNOACTIVATE;
    case 6: return SW_SHOWMINNOACTIVE;
    default: throw MakeError(ERROR_INVALID_PARAMETER, kCreateProcess);
    }
}

class Win32Processes : public Processes {
public:
    std::unique_ptr<Process> Shell(const std::string& program, const std::string& commandLine,
                                   int windowStyle, const std::string& startFolder) override {
        const std::wstring application = Widen(program);
        // Without a program CreateProcessW would run the command line's first
        // token instead; a NUL would cut the name short the same way.
        if (application.empty()) throw MakeError(ERROR_FILE_NOT_FOUND, kCreateProcess);
        if (application.find(L'\0') != std::wstring::npos) throw MakeError(ERROR_INVALID_NAME, kCreateProcess);
        const std::wstring command = Widen(commandLine);
        const std::wstring folder = Widen(startFolder);
        if (folder.find(L'\0') != std::wstring::npos) throw MakeError(ERROR_INVALID_NAME, kCreateProcess);
        if (command.find(L'\0') != std::wstring::npos) throw MakeError(ERROR_INVALID_PARAMETER, kCreateProcess);

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(ShowCommand(windowStyle));

        // CreateProcessW may write into the command line.
        std::vector<wchar_t> writable(command.begin(), command.end());
        writable.push_back(L'\0');

        PROCESS_INFORMATION info{};
        if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &info))
            ThrowLastError(kCreateProcess);
        UniqueKernelHandle thread(info.hThread);
        return std::make_unique<Win32Process>(UniqueKernelHandle(info.hProcess), info.dwProcessId);
    }
};

}  // namespace

std::unique_ptr<Processes> MakeProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace quelbrin::win32
