#pragma once
#include <chrono>
#include <thread>

namespace quelbrin::e2e {

using namespace std::chrono_literals;

// Polls until the predicate holds or the time is up; true when it held.
// The predicate is asked once more at the deadline, so a slow last poll counts.
template <typename Predicate>
bool WaitUntil(Predicate&& holds, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = 20ms) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (holds()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return holds();
        std::this_thread::sleep_for(poll);
    }
}

}  // namespace quelbrin::e2e
