#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/main_window_view.h"

namespace quelbrin {

// Why an answer pass held its keys back.
enum class HoldReason {
    NotInFront,  // another window is in front, or the user is at work in one
    KeyHeld,     // the user holds Shift, Ctrl, Alt or Windows
    Locked,      // input goes to the lock screen or a secure desktop
};

// How long passes hold their keys back in a row before Status2 says why.
constexpr std::int64_t kShowWaitingAfterMs = 5000;

// What Status2 says while the answer loop waits for the reason given.
const char* WaitingText(HoldReason why);

// Tells a user who comes back why nothing moves: after passes have held
// their keys back for a while, Status2 gives the reason and the taskbar
// button pauses; once keys go out again, Status2 shows what it showed before.
class WaitingStatus {
public:
    WaitingStatus(MainWindowView& view, Clock& clock) : view_(view), clock_(clock) {}
    ~WaitingStatus();
    WaitingStatus(const WaitingStatus&) = delete;
    WaitingStatus& operator=(const WaitingStatus&) = delete;

    void HeldBack(HoldReason why);
    void KeysWentOut();

private:
    MainWindowView& view_;
    Clock& clock_;
    std::int64_t since_ = -1;  // the first of the passes held back in a row
    bool showing_ = false;
    std::string replaced_;     // Status2's text before the reason
};

}  // namespace quelbrin
