#pragma once
#include <chrono>
#include <cstdlib>
#include <thread>

namespace quelbrin::test {

using namespace std::chrono_literals;

// Every deadline of the Windows-side tests, stretched by QUELBRIN_E2E_TIME_SCALE
// (a whole number, 1 when unset). The i686 programs run under an emulator,
// many times slower than the x86_64 ones; the deadlines are safety nets only,
// so stretching them changes no outcome, only how long a failure takes.
inline std::chrono::milliseconds Scaled(std::chrono::milliseconds timeout) {
    static const long scale = [] {
        const char* text = std::getenv("QUELBRIN_E2E_TIME_SCALE");
        const long value = text ? std::strtol(text, nullptr, 10) : 1;
        return value >= 1 ? value : 1;
    }();
    return timeout * scale;
}

// The same for the Win32 calls that take milliseconds (SendMessageTimeoutW,
// WaitForSingleObject).
inline unsigned ScaledMs(long long milliseconds) {
    return static_cast<unsigned>(Scaled(std::chrono::milliseconds(milliseconds)).count());
}

// Polls until the predicate holds or the time is up; true when it held.
// The predicate is asked once more at the deadline, so a slow last poll counts.
template <typename Predicate>
bool WaitUntil(Predicate&& holds, std::chrono::milliseconds timeout = 10s,
               std::chrono::milliseconds poll = 20ms) {
    const auto deadline = std::chrono::steady_clock::now() + Scaled(timeout);
    for (;;) {
        if (holds()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return holds();
        std::this_thread::sleep_for(poll);
    }
}

}  // namespace quelbrin::test
