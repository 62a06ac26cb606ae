#pragma once
// A test of a hostile-input or fault case states the case itself, for
// RELIABILITY.md: one marked line in its output, which ctest keeps in its
// JUnit report and scripts/reliability_report.py reads back. So the table
// says what the tests say, not what someone wrote about them.
#include <cstdio>
#include <string>

namespace quelbrin::test {

// Area, case and what the test asserts about it.
inline void ReliabilityCase(const std::string& area, const std::string& what, const std::string& asserts) {
    std::printf("[reliability] %s | %s | %s\n", area.c_str(), what.c_str(), asserts.c_str());
    std::fflush(stdout);
}

// Something the table's reader should know, with the figures the test measured.
inline void ReliabilityNote(const std::string& text) {
    std::printf("[reliability-note] %s\n", text.c_str());
    std::fflush(stdout);
}

}  // namespace quelbrin::test
