#pragma once
#include "platform/noncopyable.h"

namespace quelbrin {

// The main window's button in the taskbar, where a batch shows how far it
// has come to a user who is looking at something else. Where the taskbar
// can't show progress, every call quietly does nothing.
class TaskbarButton : public Interface {
public:
    // A bar filled `done` of `total`.
    virtual void ShowProgress(int done, int total) = 0;
    // The bar turns to its error colour where it stands, and stays so until
    // ClearProgress.
    virtual void ShowError() = 0;
    // No bar.
    virtual void ClearProgress() = 0;
    // While paused, a bar in progress shows its paused colour where it stands.
    virtual void ShowPaused(bool paused) = 0;
    // True while the main window, or a window it owns, is the foreground window.
    virtual bool InFront() const = 0;
    // Flashes the button until the main window comes to the front.
    virtual void Flash() = 0;
};

}  // namespace quelbrin
