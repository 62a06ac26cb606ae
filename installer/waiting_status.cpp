#include "installer/waiting_status.h"

namespace quelbrin {

const char* WaitingText(HoldReason why) {
    switch (why) {
    case HoldReason::KeyHeld: return "Waiting while a key is held down";
    case HoldReason::Locked: return "Waiting until the computer is unlocked";
    case HoldReason::NotInFront: break;
    }
    return "Waiting for the installer's window to be in front";
}

WaitingStatus::~WaitingStatus() {
    try {
        KeysWentOut();
    } catch (...) {
        // Only the status text is lost; the command reports what ended it.
    }
}

void WaitingStatus::HeldBack(HoldReason why) {
    const std::int64_t now = clock_.NowMs();
    if (since_ < 0) since_ = now;
    if (now - since_ < kShowWaitingAfterMs) return;
    if (!showing_) {
        replaced_ = view_.Status2().Text();
        view_.Taskbar().ShowPaused(true);
        showing_ = true;
    }
    if (view_.Status2().Text() != WaitingText(why)) view_.Status2().SetText(WaitingText(why));
}

void WaitingStatus::KeysWentOut() {
    since_ = -1;
    if (!showing_) return;
    showing_ = false;
    view_.Status2().SetText(replaced_);
    view_.Taskbar().ShowPaused(false);
}

}  // namespace quelbrin
