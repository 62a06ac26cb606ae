#pragma once
#include <cstdint>

#include "platform/noncopyable.h"

namespace quelbrin {

// Milliseconds on a clock that only goes forward; what counts is the
// difference between two readings.
class Clock : public Interface {
public:
    virtual std::int64_t NowMs() = 0;
};

}  // namespace quelbrin
