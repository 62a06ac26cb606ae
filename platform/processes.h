#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/noncopyable.h"

namespace quelbrin {

// A started program. Dropping it neither waits for nor ends the program.
class Process : public Interface {
public:
    virtual std::uint32_t Id() const = 0;
    virtual bool HasExited() const = 0;
    // The program's exit code once it has ended; nothing while it runs.
    virtual std::optional<std::uint32_t> ExitCode() const = 0;
};

// Window style for Shell: a normal window that takes the focus.
constexpr int kNormalFocus = 1;

class Processes : public Interface {
public:
    // Starts a program and returns at once. `program` names the file to run,
    // `commandLine` is the full command line it receives, `startFolder` its
    // current folder (empty: this program's). Throws ErrorInfo.
    virtual std::unique_ptr<Process> Shell(const std::string& program,
                                           const std::string& commandLine,
                                           int windowStyle, const std::string& startFolder = {}) = 0;
};

}  // namespace quelbrin
