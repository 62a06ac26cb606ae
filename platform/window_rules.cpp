#include "platform/window_rules.h"

namespace quelbrin {

namespace {
// Owner chains are short; a loop in a broken one must not hang us.
constexpr int kLongestOwnerChain = 64;
}  // namespace

bool OwnerChainContains(const WindowTree& tree, WindowTree::Window window, WindowTree::Window target) {
    if (!target) return false;
    for (int step = 0; window && step < kLongestOwnerChain; ++step) {
        if (window == target) return true;
        window = tree.Owner(window);
    }
    return false;
}

WindowTree::Window ActivationWindow(const WindowTree& tree, WindowTree::Window target) {
    if (!target) return 0;
    const WindowTree::Window popup = tree.LastActivePopup(tree.RootOwner(target));
    if (popup && tree.Visible(popup) && tree.Enabled(popup)) return popup;
    return target;
}

}  // namespace quelbrin
