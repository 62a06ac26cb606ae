#pragma once
#include <string_view>

namespace quelbrin {

// File extensions compare as Windows compares them: A-Z and a-z alike.
// Only ASCII letters fold; other bytes of the UTF-8 text compare as they are.
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// `tail` is given in lower case.
constexpr bool EndsWithIgnoringCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (AsciiLower(s[s.size() - tail.size() + i]) != tail[i]) return false;
    return true;
}

}  // namespace quelbrin
