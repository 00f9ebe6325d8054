// The About preview text, built from the lines of the About memo.

#include <gtest/gtest.h>

#include "app/AboutText.h"

using glim::ComposeAboutPreview;
using Lines = std::vector<std::string>;

namespace {

const std::string k13(13, ' ');

TEST(AboutPreview, AlwaysSixLinesEachEndingInCrLf) {
    EXPECT_EQ(ComposeAboutPreview({}), "\r\n\r\n\r\n\r\n\r\n\r\n") << "an empty memo still makes a text";
    EXPECT_EQ(ComposeAboutPreview({"", "", "", "", "", "", ""}), "\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(ComposeAboutPreview({"one"}), "one" + k13 + "\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(AboutPreview, TheExampleOfALineAGapAndALine) {
    EXPECT_EQ(ComposeAboutPreview({"A", "", "B"}), "A" + k13 + "\r\n\r\nB\r\n\r\n\r\n\r\n");
}

TEST(AboutPreview, OnlyTheFirstLineThatIsNotEmptyGetsTheSpaces) {
    EXPECT_EQ(ComposeAboutPreview({"", "second", "third"}), "\r\nsecond" + k13 + "\r\nthird\r\n\r\n\r\n\r\n");
    EXPECT_EQ(ComposeAboutPreview({"", "", "", "", "", "sixth"}), "\r\n\r\n\r\n\r\n\r\nsixth" + k13 + "\r\n");
    // Blanks are text: a blanks-only line is not empty.
    EXPECT_EQ(ComposeAboutPreview({"  ", "b"}), "  " + k13 + "\r\nb\r\n\r\n\r\n\r\n\r\n");
}

TEST(AboutPreview, LinesAreTakenAsTheyStandAndOnlySixShow) {
    const Lines memo{" a ", "&b%%", "\tc", "d", "e", "f", "seventh", "eighth"};
    EXPECT_EQ(ComposeAboutPreview(memo), " a " + k13 + "\r\n&b%%\r\n\tc\r\nd\r\ne\r\nf\r\n");
    // An empty line after the sixth cannot receive the spaces either.
    EXPECT_EQ(ComposeAboutPreview({"", "", "", "", "", "", "late"}), "\r\n\r\n\r\n\r\n\r\n\r\n");
}

}  // namespace
