#include "platform/win32/live_text_control.h"

namespace quelbrin::win32 {

namespace {
// Windows 8's; older Windows ignore the event.
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
}

void LiveTextControl::SetText(const std::string& text) {
    // The same text again is no news to read out.
    const bool changed = Text() != text;
    WindowTextControl::SetText(text);
    if (changed) NotifyWinEvent(kLiveRegionChanged, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace quelbrin::win32
