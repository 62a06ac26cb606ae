#include "platform/key_notation.h"

#include <cctype>
#include <optional>

namespace quelbrin {

namespace {

struct NamedKey {
    std::string_view name;
    int virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"BACKSPACE", vk::Back}, {"BS", vk::Back},          {"BKSP", vk::Back},
    {"BREAK", vk::Cancel},   {"CAPSLOCK", vk::Capital}, {"DELETE", vk::Delete},
    {"DEL", vk::Delete},     {"DOWN", vk::Down},        {"END", vk::End},
    {"ENTER", vk::Return},   {"ESC", vk::Escape},       {"HELP", vk::Help},
    {"HOME", vk::Home},      {"INSERT", vk::Insert},    {"INS", vk::Insert},
    {"LEFT", vk::Left},      {"NUMLOCK", vk::NumLock},  {"PGDN", vk::Next},
    {"PGUP", vk::Prior},     {"PRTSC", vk::Snapshot},   {"RIGHT", vk::Right},
    {"SCROLLLOCK", vk::Scroll}, {"TAB", vk::Tab},       {"UP", vk::Up},
    {"ADD", vk::Add},        {"SUBTRACT", vk::Subtract}, {"MULTIPLY", vk::Multiply},
    {"DIVIDE", vk::Divide},
};

constexpr int kMaxRepeat = 255;
constexpr int kFunctionKeys = 16;

struct Modifiers {
    bool shift = false, control = false, alt = false;
    bool any() const { return shift || control || alt; }
    Modifiers operator|(const Modifiers& o) const {
        return {shift || o.shift, control || o.control, alt || o.alt};
    }
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// One code point at the start of `text`; its length in bytes, 0 when the
// bytes are no valid UTF-8 or a NUL, which no key types.
std::size_t DecodeUtf8(std::string_view text, char32_t& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    char32_t cp;
    if (lead == 0) return 0;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not characters.
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    out = cp;
    return length;
}

std::optional<int> FunctionKey(std::string_view name) {
    if (name.size() < 2 || name.size() > 3 || (name[0] != 'F' && name[0] != 'f')) return std::nullopt;
    int n = 0;
    for (char c : name.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kFunctionKeys || name[1] == '0') return std::nullopt;
    return vk::F1 + n - 1;
}

// The key a brace's name stands for: a named key or a single character.
std::optional<KeyStroke> KeyForName(std::string_view name) {
    char32_t c = 0;
    if (!name.empty() && DecodeUtf8(name, c) == name.size()) return KeyStroke{0, c};
    for (const NamedKey& key : kNamedKeys)
        if (EqualsIgnoringCase(name, key.name)) return KeyStroke{key.virtualKey, 0};
    if (auto f = FunctionKey(name)) return KeyStroke{*f, 0};
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    ParsedKeys Run() {
        while (pos_ < text_.size() && result_.ok()) Step();
        if (result_.ok() && inGroup_) result_.error = "\"(\" is never closed";
        if (result_.ok() && pending_.any())
            result_.error = "Shift, Ctrl or Alt (+ ^ %) at the end, with no key";
        if (!result_.ok()) result_.keys.clear();
        return std::move(result_);
    }

private:
    void Step() {
        const char c = text_[pos_];
        switch (c) {
        case '+': pending_.shift = true; ++pos_; return;
        case '^': pending_.control = true; ++pos_; return;
        case '%': pending_.alt = true; ++pos_; return;
        case '(':
            if (inGroup_) return Fail("\"(\" inside another \"(\"");
            inGroup_ = true;
            group_ = pending_;
            pending_ = {};
            ++pos_;
            return;
        case ')':
            if (!inGroup_) return Fail("\")\" without \"(\"");
            if (pending_.any()) return Fail("Shift, Ctrl or Alt (+ ^ %) before \")\", with no key");
            inGroup_ = false;
            group_ = {};
            ++pos_;
            return;
        case '}': return Fail("\"}\" without \"{\"");
        case '~':
            Emit(KeyStroke{vk::Return, 0}, 1);
            ++pos_;
            return;
        case '{': return Brace();
        default: {
            char32_t cp = 0;
            const std::size_t length = DecodeUtf8(text_.substr(pos_), cp);
            if (length == 0) return Fail("a NUL or bytes that are not UTF-8");
            Emit(KeyStroke{0, cp}, 1);
            pos_ += length;
        }
        }
    }

    // "{NAME}" or "{NAME count}"; the name may itself be "}" as in "{}}".
    void Brace() {
        const std::size_t open = pos_;
        const bool closingBraceName = open + 1 < text_.size() && text_[open + 1] == '}';
        const std::size_t close = text_.find('}', closingBraceName ? open + 2 : open + 1);
        if (close == std::string_view::npos) {
            if (closingBraceName) return Fail("empty \"{}\"");
            return Fail("\"{\" is never closed");
        }
        const std::string_view content = text_.substr(open + 1, close - open - 1);
        std::string_view name = content;
        int count = 1;
        const std::size_t blank = content.rfind(' ');
        if (blank != std::string_view::npos && blank > 0) {
            name = content.substr(0, blank);
            const std::string_view digits = content.substr(blank + 1);
            if (digits.empty()) return Fail("a blank but no repeat count in {" + std::string(content) + "}");
            count = 0;
            for (char d : digits) {
                if (d < '0' || d > '9')
                    return Fail("\"" + std::string(digits) + "\" is no repeat count in {" + std::string(content) + "}");
                count = count * 10 + (d - '0');
                if (count > kMaxRepeat)
                    return Fail("repeat count above " + std::to_string(kMaxRepeat) + " in {" + std::string(content) + "}");
            }
        }
        const std::optional<KeyStroke> key = KeyForName(name);
        if (!key) return Fail("unknown key name {" + std::string(name) + "}");
        Emit(*key, count);
        pos_ = close + 1;
    }

    void Emit(KeyStroke key, int count) {
        const Modifiers m = pending_ | group_;
        key.shift = m.shift;
        key.control = m.control;
        key.alt = m.alt;
        for (int i = 0; i < count; ++i) result_.keys.push_back(key);
        pending_ = {};
    }

    void Fail(const std::string& what) {
        result_.error = what + " at position " + std::to_string(pos_ + 1);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    ParsedKeys result_;
    Modifiers pending_;  // typed before the next key
    Modifiers group_;    // held for the whole "(...)" group
    bool inGroup_ = false;
};

}  // namespace

ParsedKeys ParseKeyNotation(std::string_view notation) { return Parser(notation).Run(); }

}  // namespace quelbrin
