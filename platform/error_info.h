#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace quelbrin {

// The program's "current error": what a failing platform operation reports.
// Description is the platform's own wording (FormatMessageW on Windows).
// A std::exception of its own rather than a std::runtime_error: the standard
// one keeps its text in the library's old string, which brings a second
// whole std::string implementation into the program.
class ErrorInfo : public std::exception {
public:
    ErrorInfo(std::int32_t number, std::string source, std::string description)
        : Number(number), Source(std::move(source)), Description(std::move(description)) {}

    const char* what() const noexcept override { return Description.c_str(); }

    std::int32_t Number;
    std::string Source;
    std::string Description;
};

}  // namespace quelbrin
