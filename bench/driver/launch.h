#pragma once
#include <memory>
#include <string>

#include "bench/driver/child_process.h"

namespace quelbrin::bench {

// Control ids of Quelbrin's main window (the baseline's label uses Status2's).
constexpr int kIdBtStart = 102, kIdBtInst = 103, kIdTxPath = 105, kIdStatus2 = 107, kIdStatus1 = 108;

// A window program started from its own folder, once its window is visible
// and its status line shows the count of the folder's files.
struct Launched {
    std::unique_ptr<ChildProcess> process;
    HWND window = nullptr;
    double windowMs = 0;   // until its main window existed, shown or not
    double readyMs = 0;    // from just before CreateProcessW until then
    std::wstring status;   // Status2 at that moment
    std::string error;     // empty when it got there
};

// `exe` is started with its own folder as the working folder; `title` is its
// main window's caption.
Launched LaunchUntilListed(const std::wstring& exe, const std::wstring& title, double timeoutMs);

// "N .hfz files", as the status line reports a count.
std::wstring CountText(std::size_t count);

// The folder part of a path (no trailing "\").
std::wstring FolderOf(const std::wstring& path);

}  // namespace quelbrin::bench
