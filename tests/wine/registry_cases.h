#pragma once
// The registry cases that both the reader's tests and the start-up's tests
// cover, each stated once for RELIABILITY.md.
#include "tests/support/reliability_case.h"

namespace quelbrin::test::registry_cases {

inline void TextOfOddShapes() {
    ReliabilityCase("Registry", "4 characters, not NUL-terminated, odd byte count, NUL inside, non-ANSI, REG_EXPAND_SZ",
                    R"~(start-up takes the program the text names ("abcd", "x" from "x %1", expanded variables))~");
}
inline void TenThousandCharacters() {
    ReliabilityCase("Registry", "10,000 characters",
                    "the whole value is read; start-up takes the whole 9,995-character path");
}
inline void NoText() {
    ReliabilityCase("Registry", "default value REG_BINARY, REG_MULTI_SZ, REG_NONE",
                    R"~(start-up shows "InstallHFZ.exe not found..." and leaves the path empty)~");
}
inline void NothingThere() {
    ReliabilityCase("Registry", "empty value, NUL first, key without a default value, no hfzfile class",
                    "start-up shows the message and leaves the path empty");
}

}  // namespace quelbrin::test::registry_cases
