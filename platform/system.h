#pragma once
#include <memory>

#include "platform/noncopyable.h"

namespace quelbrin {

// Held while an install command runs; released when dropped.
class Hold : public Interface {};

class System : public Interface {
public:
    // Keeps the computer from going to sleep, and its display on, while held.
    virtual std::unique_ptr<Hold> KeepAwake() = 0;
    // The "installing" token of this desktop session, where keystrokes would
    // collide: null when another Quelbrin holds it.
    virtual std::unique_ptr<Hold> TryLockInstalling() = 0;
};

}  // namespace quelbrin
