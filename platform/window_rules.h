#pragma once
#include <cstdint>
#include <vector>

#include "platform/noncopyable.h"

namespace quelbrin {

// Top-level windows as the platform relates them: owners, the popup a
// window last activated, and whether a window can take input.
class WindowTree : public Interface {
public:
    using Window = std::uintptr_t;  // 0: none
    // The window's owner (GW_OWNER), 0 for none.
    virtual Window Owner(Window window) const = 0;
    // The last of the owner chain (GA_ROOTOWNER); the window itself when it has no owner.
    virtual Window RootOwner(Window window) const = 0;
    // The owned popup that was active last (GetLastActivePopup); the window itself when none.
    virtual Window LastActivePopup(Window window) const = 0;
    virtual bool Visible(Window window) const = 0;
    virtual bool Enabled(Window window) const = 0;
};

// The window's owner, that one's owner and so on (GW_OWNER, repeated),
// nearest first. A loop in a broken chain ends the walk.
std::vector<WindowTree::Window> OwnerChain(const WindowTree& tree, WindowTree::Window window);

// The window, its owner, that one's owner and so on hold `target`. A
// message box of an installer whose window hangs off a hidden owner is
// owned by that window, so its chain holds it.
bool OwnerChainContains(const WindowTree& tree, WindowTree::Window window, WindowTree::Window target);

// The window to activate for `target`. While the target shows a modal box
// of its own it is disabled, and activating it would take the activation
// away from the box: the popup its root owner activated last is taken
// instead, when it is visible and enabled.
WindowTree::Window ActivationWindow(const WindowTree& tree, WindowTree::Window target);

}  // namespace quelbrin
