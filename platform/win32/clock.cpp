#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

class TickClock final : public Clock {
public:
    std::int64_t NowMs() override { return static_cast<std::int64_t>(GetTickCount64()); }
};

}  // namespace

std::unique_ptr<Clock> MakeClock() { return std::make_unique<TickClock>(); }

}  // namespace quelbrin::win32
