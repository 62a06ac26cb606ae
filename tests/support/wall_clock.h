#pragma once

namespace quelbrin::test {

// Milliseconds since 1970-01-01 UTC: the time stamp of every line the test
// programs (the substitute installer, the intruder window) write to their logs.
long long MillisecondsSince1970();

}  // namespace quelbrin::test
