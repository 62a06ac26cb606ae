#include "tests/support/wall_clock.h"

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

long long MillisecondsSince1970() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kTicksTo1970 = 116444736000000000ull;  // 100 ns ticks from 1601
    return static_cast<long long>((ticks - kTicksTo1970) / 10000);
}

}  // namespace quelbrin::test
