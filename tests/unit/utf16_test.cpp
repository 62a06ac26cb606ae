// The UTF-8 / UTF-16 pair behind every W call on Windows.
#include <gtest/gtest.h>

#include <string>

#include "platform/utf16.h"
#include "tests/support/reliability_case.h"

namespace quelbrin {
namespace {

void SurrogateCase() {
    quelbrin::test::ReliabilityCase("Names", "an unpaired UTF-16 surrogate in a name (NTFS allows it); a pair split across two texts",
                                    "every lone surrogate D800..DFFF goes to its three-byte form and back unchanged; Narrow(high) + Narrow(low) widens to the pair; invalid bytes become U+FFFD; such a file is listed and found by its exact name (where the file system lets it be made)");
}

std::string ToUtf8(const std::u16string& text) { return Utf16ToUtf8<char16_t>(text); }
std::u16string ToUtf16(const std::string& text) { return Utf8ToUtf16<char16_t>(text); }

TEST(Utf16, EveryUnpairedSurrogateRoundTripsInItsThreeByteForm) {
    SurrogateCase();
    for (char16_t unit = 0xD800; unit <= 0xDFFF; ++unit) {
        const std::u16string name = u"a" + std::u16string(1, unit) + u".hfz";
        const std::string narrow = ToUtf8(name);
        ASSERT_EQ(narrow.size(), 8u) << std::hex << static_cast<int>(unit);
        ASSERT_EQ(static_cast<unsigned char>(narrow[1]), 0xED) << std::hex << static_cast<int>(unit);
        ASSERT_EQ(ToUtf16(narrow), name) << std::hex << static_cast<int>(unit);
    }
    // Unpaired at either end, or two of a kind in a row.
    for (const std::u16string& text : {std::u16string(u"\xDC00\xD800"), std::u16string(u"\xD800\xD800x"),
                                       std::u16string(u"x\xDBFF"), std::u16string(u"\xDFFF")})
        EXPECT_EQ(ToUtf16(ToUtf8(text)), text);
}

TEST(Utf16, APairSplitAcrossTwoJoinedTextsComesBackAsThePair) {
    SurrogateCase();
    const std::u16string joined = u"fx\xD83D\xDE00.hfz";  // U+1F600
    const std::string apart = ToUtf8(u"fx\xD83D") + ToUtf8(u"\xDE00.hfz");
    EXPECT_EQ(apart, "fx\xED\xA0\xBD\xED\xB8\x80.hfz");
    EXPECT_EQ(ToUtf16(apart), joined);
    EXPECT_EQ(ToUtf8(joined), "fx\xF0\x9F\x98\x80.hfz") << "a proper pair is the usual four bytes";
}

TEST(Utf16, OrdinaryTextIsPlainUtf8AndNulsAreKept) {
    SurrogateCase();
    const std::u16string text = u"A\u00E9\u0416\u7279\u6548\uFFFD\U0001F600\U0010FFFF";
    const std::string utf8 = "A\xC3\xA9\xD0\x96\xE7\x89\xB9\xE6\x95\x88\xEF\xBF\xBD\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(ToUtf8(text), utf8);
    EXPECT_EQ(ToUtf16(utf8), text);
    const std::u16string withNul(u"a\0b", 3);
    EXPECT_EQ(ToUtf8(withNul), std::string("a\0b", 3));
    EXPECT_EQ(ToUtf16(std::string("a\0b", 3)), withNul);
    EXPECT_EQ(ToUtf16(""), u"");
    EXPECT_EQ(ToUtf8(u""), "");
}

TEST(Utf16, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    SurrogateCase();
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"a\x80z", u"a\uFFFDz"},                 // a lone continuation byte
        {"a\xC3", u"a\uFFFD"},                   // cut short at the end
        {"\xE7\x89z", u"\uFFFDz"},               // cut short inside
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong "/"
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},  // overlong, three bytes
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xFF\xFEx", u"\uFFFD\uFFFDx"},
        {"\xF0\x9F\x98", u"\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToUtf16(c.bytes), c.text) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace quelbrin
