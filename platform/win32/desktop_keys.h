#pragma once
#include <vector>

#include "platform/key_notation.h"

namespace quelbrin::win32 {

// Types the keys into whatever has the keyboard focus, each pressed and
// released, with a short gap between them. False when the system refused
// the input. With `wait`, returns once the foreground window's thread has
// caught up (bounded, so a hung window can't hold it).
bool TypeKeys(const std::vector<KeyStroke>& keys, bool wait);

}  // namespace quelbrin::win32
