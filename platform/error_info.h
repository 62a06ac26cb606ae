#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quelbrin {

// The program's "current error": what a failing platform operation reports.
// Description is the platform's own wording (FormatMessageW on Windows).
class ErrorInfo : public std::runtime_error {
public:
    ErrorInfo(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description), Number(number), Source(std::move(source)),
          Description(std::move(description)) {}

    std::int32_t Number;
    std::string Source;
    std::string Description;
};

}  // namespace quelbrin
