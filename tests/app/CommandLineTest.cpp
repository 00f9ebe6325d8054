#include <gtest/gtest.h>

#include "app/CommandLine.h"

using glim::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlanksAndControlCharactersSeparate) {
    EXPECT_EQ(SplitCommandLine("glimcfg.exe brand.ini extra"), (Args{"glimcfg.exe", "brand.ini", "extra"}));
    EXPECT_EQ(SplitCommandLine("  a\tb\x01"
                               "c\x1f"
                               "d  "),
              (Args{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine(" \t "), Args{});
    // Code 127 and the upper half are ordinary characters.
    EXPECT_EQ(SplitCommandLine("a\x7f\xe9 b"), (Args{"a\x7f\xe9", "b"}));
}

TEST(SplitCommandLine, QuotesGroupBlanksAndAreDropped) {
    EXPECT_EQ(SplitCommandLine(R"(prog "C:\My Brand\brand.ini" x)"), (Args{"prog", R"(C:\My Brand\brand.ini)", "x"}));
    EXPECT_EQ(SplitCommandLine(R"(prog a"b c"d)"), (Args{"prog", "ab cd"}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(SplitCommandLine(R"(prog "open end)"), (Args{"prog", "open end"}));
}

TEST(SplitCommandLine, EmptyQuotesWhereAnArgumentWouldBeginAreSkipped) {
    EXPECT_EQ(SplitCommandLine(R"(prog "" brand.ini)"), (Args{"prog", "brand.ini"}));
    EXPECT_EQ(SplitCommandLine(R"(prog """" "" x)"), (Args{"prog", "x"}));
    EXPECT_EQ(SplitCommandLine(R"(prog ""x)"), (Args{"prog", "x"}));
    // Inside an argument an empty pair adds nothing and ends nothing.
    EXPECT_EQ(SplitCommandLine(R"(prog a""b)"), (Args{"prog", "ab"}));
    EXPECT_EQ(SplitCommandLine(R"(prog "")"), (Args{"prog"}));
}

TEST(SplitCommandLine, LongArgumentsAreKeptWhole) {
    const std::string path = "C:\\" + std::string(400, 'p') + "\\brand.ini";
    Args args = SplitCommandLine("prog \"" + path + "\" next");
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[1], path);
    EXPECT_EQ(args[2], "next");
}

TEST(SplitCommandLine, NulEndsTheLine) { EXPECT_EQ(SplitCommandLine(std::string_view("a b\0c", 5)), (Args{"a", "b"})); }
