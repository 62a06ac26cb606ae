#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/key_notation.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Types the keys into whatever has the keyboard focus, each pressed and
// released (with its modifiers) in one SendInput call, with a short gap
// between them. `gate`, when given, is asked right before each call, with
// nothing in between; false from it holds that key and the rest back. False
// when a key was held back or the system refused the input.
bool TypeKeys(const std::vector<KeyStroke>& keys, const std::function<bool()>& gate);

// Whether the thread of the focused window has read the keys just typed.
// A message sent to a thread is answered only between two messages it takes,
// and before the input waiting in its queue: one round trip per message the
// keys make (down, up and the character each), one after another, has gone
// through once it has taken all of them. Each round trip is sent with a
// callback, so that nothing here ever waits on that thread; the answers come
// in while this thread pumps its messages.
class KeysReadProbe {
public:
    // Right after typing `keyCount` keys.
    void Start(std::size_t keyCount);
    // True once every round trip has been answered, or the window has gone.
    bool Done();

    struct RoundTrip;

private:
    HWND window_ = nullptr;
    std::size_t left_ = 0;
    std::shared_ptr<RoundTrip> inFlight_;
};

}  // namespace quelbrin::win32
