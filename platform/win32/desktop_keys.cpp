#include "platform/win32/desktop_keys.h"

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

constexpr DWORD kGapMs = 15;

// Keys that sit on the extended part of the keyboard: their scan codes
// carry the E0 prefix.
bool IsExtended(WORD key) {
    switch (key) {
    case VK_CANCEL: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_SNAPSHOT:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
        return true;
    default:
        return false;
    }
}

INPUT KeyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT CharacterEvent(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

bool IsUp(const INPUT& input) { return (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0; }
bool SameKey(const INPUT& a, const INPUT& b) {
    return a.ki.wVk == b.ki.wVk && a.ki.wScan == b.ki.wScan;
}

// Modifiers down, the key down and up, modifiers up. A character takes the
// key the keyboard layout has for it, else it is typed as a Unicode character.
std::vector<INPUT> EventsFor(const KeyStroke& stroke) {
    bool shift = stroke.shift, control = stroke.control, alt = stroke.alt;
    std::vector<INPUT> press;
    WORD key = static_cast<WORD>(stroke.virtualKey);
    if (!key && stroke.character <= 0xFFFF) {
        const SHORT mapped = VkKeyScanW(static_cast<wchar_t>(stroke.character));
        if (mapped != -1) {
            key = LOBYTE(mapped);
            shift = shift || (HIBYTE(mapped) & 1);
            control = control || (HIBYTE(mapped) & 2);
            alt = alt || (HIBYTE(mapped) & 4);
        }
    }
    if (key) {
        press = {KeyEvent(key, false), KeyEvent(key, true)};
    } else {
        wchar_t units[2];
        int count = 1;
        if (stroke.character > 0xFFFF) {
            const char32_t c = stroke.character - 0x10000;
            units[0] = static_cast<wchar_t>(0xD800 + (c >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<wchar_t>(stroke.character);
        }
        for (int i = 0; i < count; ++i) press.push_back(CharacterEvent(units[i], false));
        for (int i = 0; i < count; ++i) press.push_back(CharacterEvent(units[i], true));
    }

    std::vector<WORD> modifiers;
    if (shift) modifiers.push_back(VK_SHIFT);
    if (control) modifiers.push_back(VK_CONTROL);
    if (alt) modifiers.push_back(VK_MENU);
    std::vector<INPUT> events;
    for (WORD m : modifiers) events.push_back(KeyEvent(m, false));
    events.insert(events.end(), press.begin(), press.end());
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) events.push_back(KeyEvent(*m, true));
    return events;
}

// After a send that stopped part-way, lets go of what it left pressed.
void ReleasePressed(const std::vector<INPUT>& events, UINT sent) {
    std::vector<INPUT> release;
    for (UINT i = 0; i < sent; ++i) {
        if (IsUp(events[i])) continue;
        bool released = false;
        for (UINT j = i + 1; j < sent && !released; ++j)
            released = IsUp(events[j]) && SameKey(events[i], events[j]);
        if (released) continue;
        INPUT up = events[i];
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        release.insert(release.begin(), up);
    }
    if (!release.empty()) SendInput(static_cast<UINT>(release.size()), release.data(), sizeof(INPUT));
}

bool Send(std::vector<INPUT>& events) {
    const UINT sent = SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    if (sent == events.size()) return true;
    ReleasePressed(events, sent);
    return false;
}

}  // namespace

bool TypeKeys(const std::vector<KeyStroke>& keys, const std::function<bool()>& gate) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0) Sleep(kGapMs);
        std::vector<INPUT> events = EventsFor(keys[i]);
        // One call keeps other input out of the key's events; the foreground
        // may still change after the check, but the gap is as short as it gets.
        if (gate && !gate()) return false;
        if (!Send(events)) return false;
    }
    return true;
}

struct KeysReadProbe::RoundTrip {
    bool answered = false;
};

namespace {

// The callback owns the copy it was given; an abandoned round trip still
// gets its answer here, where nobody looks at it any more.
void CALLBACK RoundTripAnswered(HWND, UINT, ULONG_PTR data, LRESULT) {
    auto* trip = reinterpret_cast<std::shared_ptr<KeysReadProbe::RoundTrip>*>(data);
    (*trip)->answered = true;
    delete trip;
}

}  // namespace

void KeysReadProbe::Start(std::size_t keyCount) {
    Sleep(kGapMs);  // time for the input to reach the thread's queue
    window_ = GetForegroundWindow();
    left_ = keyCount * 3 + 1;
    inFlight_.reset();
}

bool KeysReadProbe::Done() {
    if (!window_) return true;
    if (inFlight_ && !inFlight_->answered) {
        if (IsWindow(window_)) return false;
        window_ = nullptr;  // gone: nothing more to wait for
        return true;
    }
    if (left_ == 0) {
        window_ = nullptr;
        inFlight_.reset();
        return true;
    }
    --left_;
    inFlight_ = std::make_shared<RoundTrip>();
    auto* carried = new std::shared_ptr<RoundTrip>(inFlight_);
    if (!SendMessageCallbackW(window_, WM_NULL, 0, 0, RoundTripAnswered, reinterpret_cast<ULONG_PTR>(carried))) {
        delete carried;
        window_ = nullptr;
        return true;
    }
    return false;
}

}  // namespace quelbrin::win32
