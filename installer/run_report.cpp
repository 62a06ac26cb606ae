#include "installer/run_report.h"

namespace quelbrin {

namespace {

// Tenths of a second, rounded, with a point: 4149 ms is "4.1".
std::string Seconds(std::int64_t ms) {
    const std::int64_t tenths = (ms < 0 ? 0 : ms + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// A table cell holds one line: tabs and line ends in an error's words become blanks.
std::string OneCell(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string Rounds(int rounds) { return std::to_string(rounds) + (rounds == 1 ? " round" : " rounds"); }

}  // namespace

void RunReport::Begin(int firstIndex, std::vector<std::string> files) {
    Clear();
    firstIndex_ = firstIndex;
    entries_.resize(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) entries_[i].file = std::move(files[i]);
}

void RunReport::Clear() {
    entries_.clear();
    firstIndex_ = 0;
}

void RunReport::Starting(int file, std::int64_t nowMs) {
    Entry& entry = entries_.at(static_cast<std::size_t>(file));
    entry.outcome = Outcome::BeingInstalled;
    entry.startMs = entry.doneMs = nowMs;
}

void RunReport::Finish(int file, InstallerRun run, Outcome outcome, std::int64_t nowMs) {
    Entry& entry = entries_.at(static_cast<std::size_t>(file));
    entry.outcome = outcome;
    entry.rounds = run.rounds;
    entry.doneMs = nowMs;
    entry.installer = std::move(run.installer);
    ReadExitCodes();
}

void RunReport::Done(int file, InstallerRun run, std::int64_t nowMs) {
    const Outcome outcome = run.windowSeen ? Outcome::Installed : Outcome::EndedWithoutWindow;
    Finish(file, std::move(run), outcome, nowMs);
}

void RunReport::Failed(int file, InstallerRun run, const std::string& description, std::int64_t nowMs) {
    entries_.at(static_cast<std::size_t>(file)).error = OneCell(description);
    Finish(file, std::move(run), Outcome::Failed, nowMs);
}

void RunReport::Stopped() {
    for (Entry& entry : entries_)
        if (entry.outcome == Outcome::Pending) entry.outcome = Outcome::NotReached;
}

void RunReport::ReadExitCodes() {
    for (Entry& entry : entries_) {
        if (!entry.installer) continue;
        entry.exitCode = entry.installer->ExitCode();
        if (entry.exitCode) entry.installer.reset();
    }
}

int RunReport::HeldInstallers() const {
    int held = 0;
    for (const Entry& entry : entries_) held += entry.installer ? 1 : 0;
    return held;
}

std::string RunReport::Result(const Entry& entry) {
    std::string result;
    switch (entry.outcome) {
    case Outcome::Pending: return {};
    case Outcome::BeingInstalled: result = "being installed"; break;
    case Outcome::Installed: result = "installed"; break;
    case Outcome::EndedWithoutWindow: result = "ended without a window"; break;
    case Outcome::Failed: result = "failed: " + entry.error; break;
    case Outcome::NotReached: return "not reached";
    }
    if (entry.exitCode && *entry.exitCode != 0) result += " (exit code " + std::to_string(*entry.exitCode) + ")";
    return result;
}

std::vector<FileMark> RunReport::Marks() const {
    std::vector<FileMark> marks(entries_.empty() ? 0 : static_cast<std::size_t>(firstIndex_));
    for (const Entry& entry : entries_) {
        FileMark mark;
        switch (entry.outcome) {
        case Outcome::Pending: break;
        case Outcome::BeingInstalled: mark.shape = FileMarkShape::BeingInstalled; break;
        case Outcome::Installed: mark.shape = FileMarkShape::Installed; break;
        case Outcome::EndedWithoutWindow: mark.shape = FileMarkShape::EndedWithoutWindow; break;
        case Outcome::Failed: mark.shape = FileMarkShape::Failed; break;
        case Outcome::NotReached: mark.shape = FileMarkShape::NotReached; break;
        }
        mark.text = Result(entry);
        if (entry.outcome == Outcome::Installed)
            mark.text += " in " + Rounds(entry.rounds) + ", " + Seconds(entry.doneMs - entry.startMs) + " s";
        else if (entry.outcome == Outcome::EndedWithoutWindow)
            mark.text += " after " + Seconds(entry.doneMs - entry.startMs) + " s";
        marks.push_back(std::move(mark));
    }
    return marks;
}

std::string RunReport::Table() const {
    std::string table = "File\tResult\tRounds\tSeconds\r\n";
    for (const Entry& entry : entries_) {
        table += entry.file + "\t" + Result(entry) + "\t";
        if (entry.outcome != Outcome::NotReached && entry.outcome != Outcome::Pending)
            table += std::to_string(entry.rounds) + "\t" + Seconds(entry.doneMs - entry.startMs);
        else
            table += "\t";
        table += "\r\n";
    }
    return table;
}

}  // namespace quelbrin
