#include "io/Cp1252.h"

#include <gtest/gtest.h>

namespace brellic {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::string utf8 = Cp1252ToUtf8(byte);
        EXPECT_TRUE(IsCp1252Text(utf8)) << value;
        EXPECT_EQ(Utf8Length(utf8), 1u) << value;
        std::string back;
        ASSERT_TRUE(Utf8ToCp1252(utf8, back)) << value;
        EXPECT_EQ(back, byte) << value;
    }
}

TEST(Cp1252, MapsTheSpecialCharacters) {
    struct Case {
        const char* Utf8;
        unsigned char Byte;
    };
    const Case cases[] = {
        {"\u20AC", 0x80}, {"\u2122", 0x99}, {"\u0178", 0x9F}, {"\u00E9", 0xE9},
        {"\u00A3", 0xA3}, {"\u00FF", 0xFF}, {"\u0081", 0x81}, {"\u009D", 0x9D},
    };
    for (const Case& c : cases) {
        std::string out;
        ASSERT_TRUE(Utf8ToCp1252(c.Utf8, out)) << c.Utf8;
        EXPECT_EQ(out, std::string(1, static_cast<char>(c.Byte))) << c.Utf8;
        EXPECT_EQ(Cp1252ToUtf8(out), c.Utf8);
    }
}

TEST(Cp1252, RefusesWhatItCannotHold) {
    const char* refused[] = {
        "\u03A9",       // Greek capital omega
        "\U0001F600",   // an emoji
        "\u0080",       // a C1 control that 0x80 does not stand for
        "\xC3",         // truncated sequence
        "\xC0\xAF",     // overlong form
        "\xED\xA0\x80", // surrogate
        "\xFF",
    };
    for (const char* text : refused) {
        std::string out;
        EXPECT_FALSE(Utf8ToCp1252(std::string("ab") + text, out)) << text;
        EXPECT_FALSE(IsCp1252Text(text)) << text;
    }
    EXPECT_EQ(Utf8ToCp1252Lossy("a\u03A9b\xFF"), "a?b?");
}

TEST(Cp1252, CountsAndCutsCharactersNotBytes) {
    const std::string text = "\u00E9t\u00E9 \u20AC5 \u00A3";
    EXPECT_EQ(Utf8Length(text), 8u);
    EXPECT_EQ(Utf8Prefix(text, 3), "\u00E9t\u00E9");
    EXPECT_EQ(Utf8Prefix(text, 50), text);
    EXPECT_EQ(Utf8Length("a\xFF"
                         "b"),
              3u);
}

// The five C1 controls Windows-1252 leaves undefined are control characters
// like the C0 ones, for the one-line rule as for the messages.
TEST(Cp1252, TheUndefinedBytesAreControlCharacters) {
    const std::pair<const char*, const char*> controls[] = {{"\u0081", "U+0081"},
                                                            {"\u008D", "U+008D"},
                                                            {"\u008F", "U+008F"},
                                                            {"\u0090", "U+0090"},
                                                            {"\u009D", "U+009D"}};
    for (const auto& [control, name] : controls) {
        EXPECT_FALSE(IsOneLineCp1252(std::string("PSU ") + control)) << name;
        EXPECT_EQ(ControlCharacter(std::string("PSU ") + control), name);
    }
    EXPECT_EQ(ControlCharacter("Bay\x1b"), "U+001B");
    EXPECT_EQ(ControlCharacter("Caf\u00E9 \u20AC \u0178"), "");
}

TEST(Cp1252, AValueInAMessageCannotWorkATerminalNorFillIt) {
    EXPECT_EQ(Quoted("\x1b]0;owned\x07\x1b[2J"), "\"\\u001B]0;owned\\u0007\\u001B[2J\"");
    EXPECT_EQ(MessageText("a\x7f\u009B\xFF\u00E9"), "a\\u007F\\u009B\\xFF\u00E9");
    const std::string long_(61, 'x');
    EXPECT_EQ(MessageText(long_), std::string(60, 'x') + "\u2026");
    EXPECT_EQ(MessageText(std::string(60, 'x')), std::string(60, 'x'));
    EXPECT_EQ(MessageText(std::string(59, 'x') + "\u20AC\u20AC"),
              std::string(59, 'x') + "\u20AC\u2026");
    // A path is shown whole: in part it would name no file.
    EXPECT_EQ(QuotedPath("/sites/" + long_ + "\n.KVR"), "\"/sites/" + long_ + "\\u000A.KVR\"");
}

} // namespace
} // namespace brellic
