#pragma once
#include <functional>
#include <vector>

#include "platform/key_notation.h"

namespace quelbrin::win32 {

// Types the keys into whatever has the keyboard focus, each pressed and
// released (with its modifiers) in one SendInput call, with a short gap
// between them. `gate`, when given, is asked right before each call, with
// nothing in between; false from it holds that key and the rest back. False
// when a key was held back or the system refused the input. With `wait`,
// returns once the foreground window's thread has caught up, or after
// `waitBoundMs`, so that a hung window can't hold it.
constexpr unsigned kKeyWaitBoundMs = 1500;
bool TypeKeys(const std::vector<KeyStroke>& keys, bool wait, const std::function<bool()>& gate,
              unsigned waitBoundMs = kKeyWaitBoundMs);

}  // namespace quelbrin::win32
