#include "platform/key_notation.h"

#include <gtest/gtest.h>

namespace quelbrin {
namespace {

KeyStroke Named(int virtualKey) { return KeyStroke{virtualKey, 0}; }
KeyStroke Char(char32_t c) { return KeyStroke{0, c}; }
KeyStroke With(KeyStroke k, bool shift, bool control, bool alt) {
    k.shift = shift;
    k.control = control;
    k.alt = alt;
    return k;
}

std::vector<KeyStroke> Keys(std::string_view notation) {
    ParsedKeys parsed = ParseKeyNotation(notation);
    EXPECT_TRUE(parsed.ok()) << notation << ": " << parsed.error;
    return parsed.keys;
}

std::string ErrorOf(std::string_view notation) {
    ParsedKeys parsed = ParseKeyNotation(notation);
    EXPECT_FALSE(parsed.ok()) << notation << " was accepted";
    EXPECT_TRUE(parsed.keys.empty()) << notation << " gave keys despite the error";
    return parsed.error;
}

TEST(KeyNotation, NamedKeys) {
    EXPECT_EQ(Keys("{TAB}{ENTER}"), (std::vector{Named(0x09), Named(0x0D)}));
    EXPECT_EQ(Keys("{tab}{Enter}"), (std::vector{Named(0x09), Named(0x0D)}));
    EXPECT_EQ(Keys("~"), std::vector{Named(0x0D)});
    EXPECT_EQ(Keys("{BS}{BKSP}{BACKSPACE}"), (std::vector{Named(0x08), Named(0x08), Named(0x08)}));
    EXPECT_EQ(Keys("{ESC}{DEL}{INS}{PGUP}{PGDN}{HOME}{END}"),
              (std::vector{Named(0x1B), Named(0x2E), Named(0x2D), Named(0x21), Named(0x22),
                           Named(0x24), Named(0x23)}));
    EXPECT_EQ(Keys("{UP}{DOWN}{LEFT}{RIGHT}"),
              (std::vector{Named(0x26), Named(0x28), Named(0x25), Named(0x27)}));
    EXPECT_EQ(Keys("{F1}{f12}{F16}"), (std::vector{Named(0x70), Named(0x7B), Named(0x7F)}));
    EXPECT_TRUE(Keys("").empty());
}

TEST(KeyNotation, PlainCharactersAndEscapes) {
    EXPECT_EQ(Keys("aB 1"), (std::vector{Char('a'), Char('B'), Char(' '), Char('1')}));
    EXPECT_EQ(Keys("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              (std::vector{Char(0xE9), Char(0x20AC), Char(0x1F600)}));
    EXPECT_EQ(Keys("{{}{}}{+}{^}{%}{~}{(}{)}"),
              (std::vector{Char('{'), Char('}'), Char('+'), Char('^'), Char('%'), Char('~'),
                           Char('('), Char(')')}));
    // Brackets are ordinary characters, with or without braces.
    EXPECT_EQ(Keys("[{]}"), (std::vector{Char('['), Char(']')}));
    EXPECT_EQ(Keys("{\xC3\xA9}"), std::vector{Char(0xE9)});
}

TEST(KeyNotation, RepeatCounts) {
    EXPECT_EQ(Keys("{TAB 3}"), (std::vector{Named(0x09), Named(0x09), Named(0x09)}));
    EXPECT_EQ(Keys("{x 2}"), (std::vector{Char('x'), Char('x')}));
    EXPECT_EQ(Keys("{  2}"), (std::vector{Char(' '), Char(' ')}));
    EXPECT_EQ(Keys("{} 2}"), (std::vector{Char('}'), Char('}')}));
    EXPECT_TRUE(Keys("{ENTER 0}").empty());
    EXPECT_EQ(Keys("{TAB 255}").size(), 255u);
    EXPECT_NE(ErrorOf("{TAB 256}").find("repeat count"), std::string::npos);
    EXPECT_NE(ErrorOf("{TAB x}").find("no repeat count"), std::string::npos);
    EXPECT_NE(ErrorOf("{TAB }").find("no repeat count"), std::string::npos);
    EXPECT_NE(ErrorOf("{TAB -1}").find("no repeat count"), std::string::npos);
}

TEST(KeyNotation, ModifiersApplyToTheNextKeyOrGroup) {
    EXPECT_EQ(Keys("+ab"), (std::vector{With(Char('a'), true, false, false), Char('b')}));
    EXPECT_EQ(Keys("^%{DEL}"), std::vector{With(Named(0x2E), false, true, true)});
    EXPECT_EQ(Keys("+(ab)c"), (std::vector{With(Char('a'), true, false, false),
                                           With(Char('b'), true, false, false), Char('c')}));
    EXPECT_EQ(Keys("+(a^b)"), (std::vector{With(Char('a'), true, false, false),
                                           With(Char('b'), true, true, false)}));
    EXPECT_EQ(Keys("%{TAB 2}"), (std::vector{With(Named(0x09), false, false, true),
                                             With(Named(0x09), false, false, true)}));
    EXPECT_EQ(Keys("(ab)"), (std::vector{Char('a'), Char('b')}));
}

TEST(KeyNotation, MalformedNotationIsReportedWithItsPosition) {
    EXPECT_EQ(ErrorOf("ab{TAB"), "\"{\" is never closed at position 3");
    EXPECT_EQ(ErrorOf("{TAB}{NOPE}"), "unknown key name {NOPE} at position 6");
    EXPECT_EQ(ErrorOf("a}"), "\"}\" without \"{\" at position 2");
    EXPECT_EQ(ErrorOf("x{}"), "empty \"{}\" at position 2");
    EXPECT_EQ(ErrorOf("(a"), "\"(\" is never closed");
    EXPECT_EQ(ErrorOf("a)"), "\")\" without \"(\" at position 2");
    EXPECT_EQ(ErrorOf("((a))"), "\"(\" inside another \"(\" at position 2");
    EXPECT_EQ(ErrorOf("{TAB}+"), "Shift, Ctrl or Alt (+ ^ %) at the end, with no key");
    EXPECT_EQ(ErrorOf("+(a^)"), "Shift, Ctrl or Alt (+ ^ %) before \")\", with no key at position 5");
    for (const char* unknown : {"{F0}", "{F17}", "{F01}", "{TABS}", "{ENTER2}", "{ab}", "{++}"})
        EXPECT_NE(ErrorOf(unknown).find("unknown key name"), std::string::npos) << unknown;
}

TEST(KeyNotation, BytesThatAreNotUtf8AreRejected) {
    for (const char* bad : {"\xFF", "a\x80", "\xC0\xAF", "\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "{\xE2\x82}"})
        EXPECT_FALSE(ErrorOf(bad).empty()) << bad;
    EXPECT_EQ(ErrorOf("ok\xFF"), "a NUL or bytes that are not UTF-8 at position 3");
}

// Found by fuzzing: a NUL became a key that was neither named nor a character.
TEST(KeyNotation, NulTypesNothing) {
    using namespace std::string_literals;
    EXPECT_FALSE(ParseKeyNotation("+\x13\0\0^{F5}"s).ok());
    EXPECT_FALSE(ParseKeyNotation("{\0}"s).ok());
    EXPECT_TRUE(ParseKeyNotation("{TAB}{ENTER}").ok());
}

}  // namespace
}  // namespace quelbrin
