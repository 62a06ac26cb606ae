#include "platform/window_rules.h"

#include <algorithm>

namespace quelbrin {

namespace {
// Owner chains are short; a loop in a broken one must not hang us.
constexpr std::size_t kLongestOwnerChain = 64;
}  // namespace

std::vector<WindowTree::Window> OwnerChain(const WindowTree& tree, WindowTree::Window window) {
    std::vector<WindowTree::Window> owners;
    for (WindowTree::Window owner = window ? tree.Owner(window) : 0; owner && owners.size() < kLongestOwnerChain;
         owner = tree.Owner(owner))
        owners.push_back(owner);
    return owners;
}

bool OwnerChainContains(const WindowTree& tree, WindowTree::Window window, WindowTree::Window target) {
    if (!target || !window) return false;
    if (window == target) return true;
    const std::vector<WindowTree::Window> owners = OwnerChain(tree, window);
    return std::find(owners.begin(), owners.end(), target) != owners.end();
}

WindowTree::Window ActivationWindow(const WindowTree& tree, WindowTree::Window target) {
    if (!target) return 0;
    const WindowTree::Window popup = tree.LastActivePopup(tree.RootOwner(target));
    if (popup && tree.Visible(popup) && tree.Enabled(popup)) return popup;
    return target;
}

}  // namespace quelbrin
