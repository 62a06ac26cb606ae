#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/e2e/window_query.h"

namespace quelbrin::e2e {

// One Quelbrin.exe started by a test, and every program it starts in turn
// (they share a job object). Dropping it ends whatever of them still runs.
class QuelbrinRun {
public:
    // Starts the program with these arguments (as they follow the quoted
    // program name on its command line); its standard handles go to
    // `outputFile`, so that nothing it or its children print reaches the
    // test's own output.
    QuelbrinRun(const std::wstring& exe, const std::wstring& workingFolder,
                const std::wstring& outputFile, const std::wstring& arguments = L"");
    ~QuelbrinRun();
    QuelbrinRun(const QuelbrinRun&) = delete;
    QuelbrinRun& operator=(const QuelbrinRun&) = delete;

    DWORD Id() const { return id_; }
    bool HasExited() const;
    bool WaitForExit(std::chrono::milliseconds timeout) const;

    // The main window once it is visible, or nullptr when it isn't by then.
    HWND WaitForMainWindow(std::chrono::milliseconds timeout);
    // The main window, visible or not (nullptr when there is none).
    HWND MainWindow() const;

    // A control's text, or "<unreadable>" when the window did not answer.
    std::wstring Text(int id) const;
    bool SetText(int id, const std::wstring& text) const;
    bool Click(int id) const;
    bool Enabled(int id) const;
    std::optional<ListState> List(int id) const;

    // Waits for a message box of this program with this title, presses its
    // OK and returns its text; nullopt when none came in time.
    std::optional<std::wstring> AnswerBox(const std::wstring& title,
                                          std::chrono::milliseconds timeout);
    // Message boxes open now, answered; "title: text" each.
    std::vector<std::wstring> AnswerAllBoxes();

    // Processes of the job other than Quelbrin itself that are still running.
    std::vector<DWORD> RunningChildren() const;
    // Ends Quelbrin and its children, waits until they are gone.
    void EndAll();

private:
    win32::UniqueKernelHandle job_;
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

}  // namespace quelbrin::e2e
