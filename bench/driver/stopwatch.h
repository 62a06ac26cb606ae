#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::bench {

// Milliseconds on the performance counter, from an arbitrary origin.
inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

// Polls until the predicate holds; returns the time it was first seen to
// hold, or a negative value when the time ran out.
template <typename Predicate>
double PollUntil(Predicate&& holds, double timeoutMs, DWORD pollMs = 1) {
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        if (holds()) return NowMs();
        if (NowMs() > deadline) return -1.0;
        Sleep(pollMs);
    }
}

}  // namespace quelbrin::bench
