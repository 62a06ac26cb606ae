#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quelbrin {

// UTF-16 and UTF-8, lossless for every UTF-16 text. Windows names are 16-bit
// units that need not be valid UTF-16: NTFS keeps a name with an unpaired
// surrogate. Such a unit is written as its own three bytes (ED A0 80 ..
// ED BF BF, the generalized UTF-8 also called WTF-8), so the name comes back
// exactly. A proper surrogate pair is the usual four bytes. Bytes that are
// not UTF-8 become U+FFFD; NULs are kept. Char16 is char16_t, or wchar_t on
// Windows.

namespace utf16_detail {

constexpr char32_t kReplacement = 0xFFFD;

inline bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The range the second byte of a sequence must fall in: it rules out
// overlong forms and values past U+10FFFF. Surrogates (ED A0..BF) are let in.
inline bool SecondByteFits(unsigned char lead, unsigned char second) {
    if (lead == 0xE0) return second >= 0xA0 && second <= 0xBF;
    if (lead == 0xF0) return second >= 0x90 && second <= 0xBF;
    if (lead == 0xF4) return second >= 0x80 && second <= 0x8F;
    return IsContinuation(second);
}

// Length of the sequence a lead byte starts, 0 for a byte that starts none.
inline std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

template <typename Char16>
void AppendUnit(std::basic_string<Char16>& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<Char16>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<Char16>(0xD800 + (code >> 10)));
    out.push_back(static_cast<Char16>(0xDC00 + (code & 0x3FF)));
}

}  // namespace utf16_detail

template <typename Char16>
std::basic_string<Char16> Utf8ToUtf16(std::string_view utf8) {
    static_assert(sizeof(Char16) == 2, "UTF-16 needs 16-bit units");
    using namespace utf16_detail;
    std::basic_string<Char16> out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 1) {
            out.push_back(static_cast<Char16>(lead));
            ++i;
            continue;
        }
        // A broken sequence becomes one U+FFFD for the bytes that began
        // well, and decoding goes on at the first byte that did not fit.
        std::size_t taken = 1;
        if (length != 0 && i + 1 < utf8.size() &&
            SecondByteFits(lead, static_cast<unsigned char>(utf8[i + 1]))) {
            taken = 2;
            while (taken < length && i + taken < utf8.size() &&
                   IsContinuation(static_cast<unsigned char>(utf8[i + taken])))
                ++taken;
        }
        if (taken != length || length == 0) {
            out.push_back(static_cast<Char16>(kReplacement));
            i += taken;
            continue;
        }
        char32_t code = lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        AppendUnit(out, code);
        i += length;
    }
    return out;
}

template <typename Char16>
std::string Utf16ToUtf8(std::basic_string_view<Char16> utf16) {
    static_assert(sizeof(Char16) == 2, "UTF-16 needs 16-bit units");
    using namespace utf16_detail;
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = static_cast<std::uint16_t>(utf16[i]);
        if (IsHighSurrogate(code) && i + 1 < utf16.size() &&
            IsLowSurrogate(static_cast<std::uint16_t>(utf16[i + 1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint16_t>(utf16[i + 1]) - 0xDC00);
            ++i;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {  // an unpaired surrogate too
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

}  // namespace quelbrin
