// The string-formatting routine: literal text, specifiers of every type,
// index/width/precision, and the templates it refuses.

#include <gtest/gtest.h>

#include <type_traits>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "forms/Format.h"

using namespace forms;

namespace {

std::string F(std::string_view format, std::vector<FormatArg> args = {}) { return Format(format, args); }

// The argument list message boxes pass when they have nothing to fill in.
const std::vector<FormatArg> kNullArgument{static_cast<const void*>(nullptr)};

void ExpectInvalid(std::string_view format, std::vector<FormatArg> args = {}) {
    EXPECT_THROW(Format(format, args), EConvertError) << "template: " << format;
}

TEST(Format, CopiesLiteralTextAndDoubledPercent) {
    EXPECT_EQ(F("No specifier here."), "No specifier here.");
    EXPECT_EQ(Format("Plain text", kNullArgument), "Plain text");
    EXPECT_EQ(F("%%"), "%");
    EXPECT_EQ(F("100%% sure, %%%%"), "100% sure, %%");
    EXPECT_EQ(Format("%%d", kNullArgument), "%d");
    // Text around specifiers is kept byte for byte.
    EXPECT_EQ(F("[%d]\t<%s>\r\n", {7, std::string("x")}), "[7]\t<x>\r\n");
}

TEST(Format, NullPointerArgumentFillsOnlyPointerSpecifiers) {
    const std::string zeros(2 * sizeof(void*), '0');
    EXPECT_EQ(Format("%p", kNullArgument), zeros);
    EXPECT_EQ(Format("at %P.", kNullArgument), "at " + zeros + ".");
    for (const char* t : {"%d", "%u", "%s", "%x", "%D", "%S", "%X", "%5.2s"})
        EXPECT_THROW(Format(t, kNullArgument), EConvertError) << t;
    // A second specifier has no argument left.
    EXPECT_THROW(Format("%p %p", kNullArgument), EConvertError);
}

TEST(Format, RefusesMalformedTemplates) {
    ExpectInvalid("%");
    ExpectInvalid("% y", {1});
    ExpectInvalid("%q", {1});
    ExpectInvalid("%1:", {1, 2});
    ExpectInvalid("%5", {1});
    ExpectInvalid("%5-d", {1});                   // "-" comes before the width
    ExpectInvalid("%2:d", {1, 2});                // index past the end
    ExpectInvalid("%d %d", {1});                  // no argument left
    ExpectInvalid("%*d", {std::string("5"), 1});  // "*" needs an integer
    ExpectInvalid("%*d", {std::int64_t{1} << 40, 1});
    ExpectInvalid("%99999999999999999999:d", {1});
    // Huge fields are refused, never allocated.
    ExpectInvalid("%999999999p", {static_cast<const void*>(nullptr)});
    ExpectInvalid("%.999999999s", {std::string("x")});
}

TEST(Format, ErrorMessageQuotesTheWholeTemplate) {
    try {
        F("Value %d of %s", {1, 2});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format 'Value %d of %s' invalid or incompatible with argument");
        EXPECT_STREQ(e.what(), e.Message().c_str());
        static_assert(std::is_base_of_v<Exception, EConvertError>, "the application's error event takes it");
    }
}

TEST(Format, RefusesArgumentsOfTheWrongKind) {
    const FormatArg pointer = static_cast<const void*>("text");
    const std::vector<std::pair<const char*, FormatArg>> cases{
        {"%d", 1.5}, {"%d", 'c'}, {"%d", std::string("1")}, {"%u", 2.0}, {"%x", std::string("ff")}, {"%f", 1.5},
        {"%s", 1},   {"%s", 1.0}, {"%s", pointer},          {"%p", 0},   {"%p", std::string()}};
    for (const auto& [format, arg] : cases) ExpectInvalid(format, {arg});
}

TEST(Format, IndexWidthPrecisionAndJustification) {
    // An index picks the argument; later specifiers go on from the one after.
    EXPECT_EQ(F("%1:s %0:s %s", {std::string("a"), std::string("b")}), "b a b");
    EXPECT_EQ(F("%d %0:d %d %d", {1, 2, 3}), "1 1 2 3");
    // Width pads with blanks, to the right of the text with "-".
    EXPECT_EQ(F("[%5d]", {42}), "[   42]");
    EXPECT_EQ(F("[%-5d]", {42}), "[42   ]");
    EXPECT_EQ(F("[%2d]", {12345}), "[12345]");  // never cuts
    EXPECT_EQ(F("[%-6s|%6s]", {std::string("ab"), std::string("cd")}), "[ab    |    cd]");
    EXPECT_EQ(F("[%1:-4d]", {0, 7}), "[7   ]");
    // "*" takes width, precision and even the index from the arguments.
    EXPECT_EQ(F("[%*d]", {4, 7}), "[   7]");
    EXPECT_EQ(F("[%*d]", {-4, 7}), "[7   ]");
    EXPECT_EQ(F("[%*.*s]", {7, std::int64_t{2}, std::string("abc")}), "[     ab]");
    EXPECT_EQ(F("[%.*s]", {2, std::string("abcdef")}), "[ab]");
    EXPECT_EQ(F("%*:s", {2, std::string("no"), std::string("yes")}), "yes");
    EXPECT_EQ(F("[%1:*d]", {99, 3, 5}), "[  5]");
    // A precision without digits is zero.
    EXPECT_EQ(F("[%.s]", {std::string("abc")}), "[]");
}

TEST(Format, Integers) {
    EXPECT_EQ(F("%d %D %d", {-12, 34, 0}), "-12 34 0");
    EXPECT_EQ(F("%d", {std::numeric_limits<std::int64_t>::min()}), "-9223372036854775808");
    EXPECT_EQ(F("%d", {std::numeric_limits<std::int64_t>::max()}), "9223372036854775807");
    // Precision is the least number of digits; the sign comes before them.
    EXPECT_EQ(F("%.5d", {42}), "00042");
    EXPECT_EQ(F("%.5d", {-42}), "-00042");
    EXPECT_EQ(F("[%8.5d]", {-42}), "[  -00042]");
    // u and x read the value's own bits.
    EXPECT_EQ(F("%u", {-1}), "4294967295");
    EXPECT_EQ(F("%u", {std::int64_t{-1}}), "18446744073709551615");
    EXPECT_EQ(F("%.4u", {5}), "0005");
    EXPECT_EQ(F("%x %X", {255, 48879}), "FF BEEF");
    EXPECT_EQ(F("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(F("%x", {std::int64_t{-2}}), "FFFFFFFFFFFFFFFE");
    EXPECT_EQ(F("%.8x", {0x1F}), "0000001F");
}

TEST(Format, StringsCharactersAndPointers) {
    EXPECT_EQ(F("Hello, %s!", {std::string("world")}), "Hello, world!");
    EXPECT_EQ(F("%s%S", {'a', 'B'}), "aB");
    EXPECT_EQ(F("%.3s|%.0s|%.9s", {std::string("abcdef"), std::string("x"), std::string("short")}), "abc||short");
    // Specifier characters in an argument are not read again.
    EXPECT_EQ(F("%s", {std::string("%d %s %%")}), "%d %s %%");
    const std::string text("embedded\0zero", 13);
    EXPECT_EQ(F("%s", {text}), text);

    const void* p = reinterpret_cast<const void*>(std::uintptr_t{0xABCDEF});
    std::string expected(2 * sizeof(void*) - 6, '0');
    expected += "ABCDEF";
    EXPECT_EQ(F("%p", {p}), expected);
    EXPECT_EQ(F("[%-20p]", {p}), "[" + expected + std::string(20 - expected.size(), ' ') + "]");
}

}  // namespace
