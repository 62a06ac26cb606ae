#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quelbrin {

// Virtual-key codes, as Windows numbers them.
namespace vk {
constexpr int Cancel = 0x03, Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11,
              Menu = 0x12, Pause = 0x13, Capital = 0x14, Escape = 0x1B, Prior = 0x21, Next = 0x22,
              End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
              Snapshot = 0x2C, Insert = 0x2D, Delete = 0x2E, Help = 0x2F, Multiply = 0x6A, Add = 0x6B,
              Subtract = 0x6D, Divide = 0x6F, F1 = 0x70, NumLock = 0x90, Scroll = 0x91;
}  // namespace vk

// One key press: a named key, or a character the platform maps to its keys.
struct KeyStroke {
    int virtualKey = 0;      // 0 for a character
    char32_t character = 0;  // 0 for a named key
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool operator==(const KeyStroke&) const = default;
};

struct ParsedKeys {
    std::vector<KeyStroke> keys;
    std::string error;  // empty when the notation is well formed
    bool ok() const { return error.empty(); }
};

// Reads keystroke notation: "{TAB}{ENTER}", "{F5}", "{TAB 3}" (a repeat
// count), plain characters (UTF-8), "~" for Enter, "+", "^" and "%" holding
// Shift, Ctrl or Alt for the next key or a "(...)" group, and "{+}", "{{}"
// etc. for the characters that are otherwise special. Malformed notation
// gives no keys and an error text.
ParsedKeys ParseKeyNotation(std::string_view notation);

}  // namespace quelbrin
