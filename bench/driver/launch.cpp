#include "bench/driver/launch.h"

#include "bench/driver/remote_window.h"
#include "bench/driver/stopwatch.h"
#include "platform/win32/utf.h"

namespace quelbrin::bench {

namespace {

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::wstring CountText(std::size_t count) { return std::to_wstring(count) + L" .hfz files"; }

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

Launched LaunchUntilListed(const std::wstring& exe, const std::wstring& title, double timeoutMs) {
    Launched run;
    run.process = std::make_unique<ChildProcess>(exe, L"\"" + exe + L"\"", FolderOf(exe));
    if (!run.process->started()) {
        run.error = run.process->error();
        return run;
    }
    const DWORD id = run.process->Id();
    const double ready = PollUntil(
        [&] {
            if (run.window == nullptr) {
                run.window = FindTopLevel(id, title);
                if (run.window != nullptr) run.windowMs = NowMs() - run.process->startedAtMs();
            }
            if (run.window == nullptr || !IsWindowVisible(run.window)) return run.process->HasExited();
            const auto status = ControlText(run.window, kIdStatus2);
            if (!status) return false;
            run.status = *status;
            return EndsWith(run.status, L" .hfz files") || run.status == L"Invalid path";
        },
        timeoutMs);
    if (ready < 0) {
        run.error = "no visible window with its folder listed after " +
                    std::to_string(static_cast<int>(timeoutMs / 1000)) + " s";
        HWND box = FindTopLevel(id, L"Quelbrin", true);
        if (box != nullptr) {
            const auto text = ControlText(box, 0xFFFF, 1000);
            run.error += "; a message box is open: " + win32::Narrow(text.value_or(L"?"));
        }
    } else if (run.process->HasExited() && run.window == nullptr) {
        run.error = "the program ended before it showed its window";
    } else if (run.status == L"Invalid path") {
        run.error = "it could not list its own folder (\"Invalid path\")";
    } else {
        run.readyMs = ready - run.process->startedAtMs();
    }
    return run;
}

}  // namespace quelbrin::bench
