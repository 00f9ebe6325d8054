// The number syntax and every encoding of the profile's values.

#include "config/ProfileFormat.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/NumberSyntax.h"

namespace {

using namespace config;

TEST(NumberSyntax, AcceptsDecimalAndDollarHexOnly) {
    const std::map<std::string, std::int32_t> accepted = {
        {"0", 0},
        {"  12", 12},
        {"+5", 5},
        {"-5", -5},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"00000000002147483647", 2147483647},
        {"$1F", 31},
        {"$1f", 31},
        {" $ff", 255},
        {"$FFFFFFFF", -1},
        {"$80000001", clBackground},
        {"$0000000000FF", 255},
    };
    for (const auto& [text, value] : accepted) EXPECT_EQ(ParseNumber(text), value) << "'" << text << "'";
    const std::vector<std::string> refused = {
        "",
        "   ",
        "+",
        "-",
        "$",
        "+$1",
        "-$5",
        "$-5",
        "12 ",
        "\t1",
        "1F",
        "0x1F",
        "12abc",
        "2147483648",
        "-2147483649",
        "$100000000",
        "$1G",
        "1e3",
        "- 1",
        "$ 1",
        "99999999999999999999999",
        std::string("1\0", 2),
        "\xB2",
    };
    for (const std::string& text : refused) EXPECT_EQ(ParseNumber(text), std::nullopt) << "'" << text << "'";
}

TEST(ProfileFormat, DefaultExtensionIsReadInLowerCase) {
    EXPECT_EQ(LowerCaseAtoZ("ICS"), "ics");
    EXPECT_EQ(LowerCaseAtoZ("Ico_\xC4\xE4Z@["), "ico_\xC4\xE4z@[");
}

TEST(ProfileFormat, ColourEncoding) {
    EXPECT_EQ(EncodeColour(clBackground), "");
    EXPECT_EQ(EncodeColour(0), "$000000");
    EXPECT_EQ(EncodeColour(0x0000FF), "$0000FF");
    EXPECT_EQ(EncodeColour(0xFF0000), "$FF0000");
    EXPECT_EQ(EncodeColour(0xC0C0C0), "$C0C0C0");
    EXPECT_EQ(EncodeColour(0x12345678), "$12345678");
    EXPECT_EQ(EncodeColour(0x0ABCDEF), "$ABCDEF");
    EXPECT_EQ(EncodeColour(0x1ABCDEF), "$1ABCDEF");
    EXPECT_EQ(EncodeColour(static_cast<std::int32_t>(0x80000005u)), "$80000005");
    EXPECT_EQ(EncodeColour(-1), "$FFFFFFFF");

    EXPECT_EQ(DecodeColour("$0000FF"), 255);
    EXPECT_EQ(DecodeColour("255"), 255);
    EXPECT_EQ(DecodeColour("$80000005"), static_cast<std::int32_t>(0x80000005u));
    for (const char* unchanged : {"", "0x0000FF", "red", "$000000", "0", "$C0C0C0 "})
        EXPECT_EQ(DecodeColour(unchanged), std::nullopt) << "'" << unchanged << "'";
    for (std::int32_t colour : {0x0000FF, 0xC0C0C0, 0x12345678, -1, static_cast<std::int32_t>(0x80000005u)})
        EXPECT_EQ(DecodeColour(EncodeColour(colour)), colour);
}

TEST(ProfileFormat, MasksThatWouldReadBackEmptyAreLeftOut) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(EncodeMasks({"*.ico", "", " \t ", "\"\"", " '' ", " *.exe", "'\"", "\"*.cur\"", "'x'"}),
              (Lines{"*.ico", " *.exe", "'\"", "\"*.cur\"", "'x'"}))
        << "a pair of quotes that do not match is text, and one around a mask keeps it";
    EXPECT_EQ(EncodeMasks({}), Lines{});
    EXPECT_EQ(EncodeMasks({"", "  "}), Lines{});
    EXPECT_EQ(MaskKey(12), "E12");
    EXPECT_EQ(AboutKey(6), "L6");
}

TEST(ProfileFormat, AboutLinesEncoding) {
    const std::string pad(13, ' ');
    using Values = std::array<std::string, kAboutLineCount>;
    EXPECT_EQ(EncodeAboutLines({}), Values{});
    EXPECT_EQ(EncodeAboutLines({"Icon viewer", "", "   Internal use"}),
              (Values{"Icon viewer" + pad, "", ">   Internal use", "", "", ""}));
    EXPECT_EQ(EncodeAboutLines({"Hello   ", "  Two"}), (Values{"Hello" + pad, ">  Two", "", "", "", ""}));
    EXPECT_EQ(EncodeAboutLines({"", "Two"}), (Values{pad, "Two", "", "", "", ""}));
    EXPECT_EQ(EncodeAboutLines({"Title\t  ", "  Sub", "\tTab", "    ", ">x", "6", "7", "8"}),
              (Values{"Title" + pad, ">  Sub", ">\tTab", "", ">>x", "6"}));
    // Every character that the profile functions drop at the start of a value,
    // and a pair of quotes that they strip, gets the ">"; other control
    // characters, NBSP and quotes that enclose nothing whole are kept.
    for (const char* marked : {" L", "\tL", "\vL", "\fL", "\x1AL", "\"L\"", "'L'", "\"\"", "\"Beta\"  "})
        EXPECT_EQ(EncodeAboutLines({"x", marked})[1], ">" + TrimRightBlanks(marked)) << marked;
    for (const char* kept : {"\x01L", "\x1BL", "\x1FL", "\xA0L", "<L", "\"Beta\" build", "'L", "\"L'", "\""})
        EXPECT_EQ(EncodeAboutLines({"x", kept})[1], kept) << kept;
    EXPECT_EQ(EncodeAboutLines({"   "}), (Values{pad, "", "", "", "", ""}));

    EXPECT_EQ(DecodeAboutLine(">>x"), ">x");
    EXPECT_EQ(DecodeAboutLine(">"), "");
    EXPECT_EQ(DecodeAboutLine(">   Indented"), "   Indented");
    EXPECT_EQ(DecodeAboutLine("plain " + std::string(300, 'p')), "plain " + std::string(300, 'p'));
    EXPECT_EQ(DecodeAboutLine(">" + std::string(300, 'q')), std::string(255, 'q'));
}

TEST(ProfileFormat, TrimRightBlanksRemovesCodesUpTo32) {
    EXPECT_EQ(TrimRightBlanks(""), "");
    EXPECT_EQ(TrimRightBlanks("   "), "");
    EXPECT_EQ(TrimRightBlanks("abc\t\r "), "abc");
    EXPECT_EQ(TrimRightBlanks(std::string("abc\x01\0 ", 6)), "abc");
    EXPECT_EQ(TrimRightBlanks("abc\xA0"), "abc\xA0");
    EXPECT_EQ(TrimRightBlanks("  a b  "), "  a b");
}

}  // namespace
