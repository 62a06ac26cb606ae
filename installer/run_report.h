#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/main_window_view.h"
#include "platform/processes.h"

namespace quelbrin {

// What one installer run gives back, also when it stops with an error: the
// started installer (null when it could not be started), the passes whose
// keys it read, and whether its window ever showed.
struct InstallerRun {
    std::unique_ptr<Process> installer;
    int rounds = 0;
    bool windowSeen = false;
};

// What became of each file of the last install command, in the run's order,
// from its start until the folder is listed again. It keeps an installer's
// process only until that has ended and its exit code is read.
class RunReport {
public:
    // A command starts on `files`, the first of them at list position `firstIndex`.
    void Begin(int firstIndex, std::vector<std::string> files);
    // The folder is listed again: the report and the processes it held go.
    void Clear();
    bool HasRun() const { return !entries_.empty(); }

    // The run's `file`-th file (from 0) starts now.
    void Starting(int file, std::int64_t nowMs);
    // Its installer's window has gone, or the installer ended without one.
    void Done(int file, InstallerRun run, std::int64_t nowMs);
    // It stopped the command with this error.
    void Failed(int file, InstallerRun run, const std::string& description, std::int64_t nowMs);
    // The command has stopped: the files it did not start were not reached.
    void Stopped();
    // Reads the exit codes of the installers that have ended and lets them go.
    void ReadExitCodes();
    // Installers whose processes are still held.
    int HeldInstallers() const;

    // The marks by list position.
    std::vector<FileMark> Marks() const;
    // File, Result, Rounds, Seconds, tab-separated, lines ending in CR LF.
    std::string Table() const;

private:
    enum class Outcome { Pending, BeingInstalled, Installed, EndedWithoutWindow, Failed, NotReached };
    struct Entry {
        std::string file;
        Outcome outcome = Outcome::Pending;
        std::string error;
        int rounds = 0;
        std::int64_t startMs = 0, doneMs = 0;
        std::unique_ptr<Process> installer;
        std::optional<std::uint32_t> exitCode;
    };
    static std::string Result(const Entry& entry);
    void Finish(int file, InstallerRun run, Outcome outcome, std::int64_t nowMs);

    int firstIndex_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace quelbrin
