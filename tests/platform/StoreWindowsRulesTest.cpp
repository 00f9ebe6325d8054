// Where the Windows profile functions and Wine's differ, our store does what
// Windows does; these cases therefore run on our store only.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform/ProfileTestSupport.h"

namespace {

using namespace profiletest;
using namespace std::string_literals;

class StoreWindowsRules : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("profile.ini");
};

const std::string kAuthorsProfile =
    "; Glimsel profile, kept by hand\n"
    "\n"
    "[Captions]\n"
    "  Title   =   My viewer\n"
    "Dialog = Save as\n"
    "; menu texts follow\n"
    "\n"
    "[Menu]\n"
    "Copy=&Copy\n";

TEST_F(StoreWindowsRules, AWriteChangesOnlyItsOwnLine) {
    WriteBytes(ini, kAuthorsProfile);
    ASSERT_TRUE(Write(ini, "Captions", "Title", "Other viewer"));
    // The value part after "=" is replaced whole; the name keeps its spacing.
    std::string expected = kAuthorsProfile;
    expected.replace(expected.find("   My viewer"), 12, "Other viewer");
    EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(StoreWindowsRules, ANewKeyFollowsTheLastEntryOfItsSection) {
    WriteBytes(ini, kAuthorsProfile);
    ASSERT_TRUE(Write(ini, "Captions", "Help", "h"));
    ASSERT_TRUE(Write(ini, "Options", "Open", "o"));
    std::string expected = kAuthorsProfile;
    expected.insert(expected.find("; menu"), "Help=h\r\n");
    expected += "[Options]\r\nOpen=o\r\n";
    EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(StoreWindowsRules, UnchangedValueLeavesTheFileAlone) {
    WriteBytes(ini, kAuthorsProfile);
    ASSERT_TRUE(Write(ini, "Menu", "Copy", "&Copy"));
    EXPECT_EQ(ReadBytes(ini), kAuthorsProfile);
}

TEST_F(StoreWindowsRules, SemicolonLinesAreComments) {
    WriteBytes(ini, "[S]\r\n;k=hidden\r\n  ; also=hidden\r\n#k=visible\r\n");
    EXPECT_EQ(Read(ini, "S", ";k", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "S", "; also", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "S", "#k"), "visible");
}

TEST_F(StoreWindowsRules, ClearSectionKeepsTheCommentsItHeld) {
    WriteBytes(ini, "[A]\r\na=1\r\n[B]\r\n; about B\r\nb=2\r\n\r\nc\r\n; about C\r\n[C]\r\nc=3\r\n");
    ASSERT_TRUE(ClearSection(ini, "B"));
    EXPECT_EQ(ReadBytes(ini), "[A]\r\na=1\r\n; about B\r\n; about C\r\n[C]\r\nc=3\r\n");
}

TEST_F(StoreWindowsRules, SectionNameEndsAtTheFirstBracketOrTheLineEnd) {
    WriteBytes(ini, "[a]b]\r\nk=1\r\n[Open\r\nk=2\r\n[[x]\r\nk=3\r\n");
    EXPECT_EQ(Read(ini, "a", "k"), "1");
    EXPECT_EQ(Read(ini, "Open", "k"), "2");
    EXPECT_EQ(Read(ini, "[x", "k"), "3");
}

TEST_F(StoreWindowsRules, OnlySpaceTabAndVerticalTabAreBlanks) {
    WriteBytes(ini, "[S]\r\nff=v\f\r\nsub=v\x1A\r\nvt=\vv\v\r\n");
    EXPECT_EQ(Read(ini, "S", "ff"), "v\f");
    EXPECT_EQ(Read(ini, "S", "sub"), "v\x1A");
    EXPECT_EQ(Read(ini, "S", "vt"), "v");
    // Arguments lose spaces only.
    EXPECT_EQ(Read(ini, "\tS", "vt", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, " S ", " vt "), "v");
}

TEST_F(StoreWindowsRules, ValuesAreStoredAsGivenAndReadWithoutOuterBlanks) {
    ASSERT_TRUE(Write(ini, " S ", " k ", "   lead"));
    ASSERT_TRUE(Write(ini, "S", "L1", "Icon viewer             "));
    ASSERT_TRUE(Write(ini, "S", "other", "x"));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=   lead\r\nL1=Icon viewer             \r\nother=x\r\n");
    EXPECT_EQ(Read(ini, "S", "k"), "lead");
    EXPECT_EQ(Read(ini, "S", "L1"), "Icon viewer");
}

TEST_F(StoreWindowsRules, TheDefaultIsCopiedWithoutQuoteHandling) {
    EXPECT_EQ(Read(ini, "S", "k", "\"dq\""), "\"dq\"");
    EXPECT_EQ(Read(ini, "S", "k", "   "), "");
    EXPECT_EQ(Read(ini, "S", "k", nullptr), "");
}

TEST_F(StoreWindowsRules, LinesBeforeTheFirstSectionBelongToNone) {
    WriteBytes(ini, "k=preamble\r\n[]\r\nk=empty name\r\n");
    EXPECT_EQ(Read(ini, "", "k"), "empty name");
    ASSERT_TRUE(Write(ini, "S", "k", "v"));
    EXPECT_EQ(ReadBytes(ini), "k=preamble\r\n[]\r\nk=empty name\r\n[S]\r\nk=v\r\n");
}

TEST_F(StoreWindowsRules, NulBytesSurviveAWriteElsewhere) {
    const std::string text = "junk\0more\r\n[S]\r\nk=1\0tail\r\n"s;
    WriteBytes(ini, text);
    ASSERT_TRUE(Write(ini, "T", "k", "2"));
    EXPECT_EQ(ReadBytes(ini), text + "[T]\r\nk=2\r\n");
    // The changed line loses what followed its NUL, and an entry cut short
    // before its "=" gets one.
    WriteBytes(ini, "[S]\r\nk=1\0tail\r\nname\0=x\r\n"s);
    ASSERT_TRUE(Write(ini, "S", "k", "2"));
    ASSERT_TRUE(Write(ini, "S", "name", "3"));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=2\r\nname=3\r\n");
}

TEST_F(StoreWindowsRules, AUtf8ByteOrderMarkSpoilsTheFirstLine) {
    WriteBytes(ini, "\xEF\xBB\xBF[S]\r\nk=v\r\n[T]\r\nk=w\r\n");
    EXPECT_EQ(Read(ini, "S", "k", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "T", "k"), "w");
}

TEST_F(StoreWindowsRules, DeletesInAMissingFileLeaveAnEmptyFile) {
    ASSERT_TRUE(ClearSection(ini, "S"));
    EXPECT_TRUE(std::filesystem::exists(ini));
    EXPECT_EQ(ReadBytes(ini), "");
}

TEST_F(StoreWindowsRules, DeletingAKeyRemovesItsLineOnly) {
    WriteBytes(ini, "[S]\r\na=1\r\n; note\r\nb=2\r\n");
    ASSERT_TRUE(Write(ini, "S", "a", nullptr));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\n; note\r\nb=2\r\n");
    ASSERT_TRUE(Write(ini, "S", "missing", nullptr));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\n; note\r\nb=2\r\n");
}

TEST_F(StoreWindowsRules, AnEntryWithoutEqualsSignIsCompletedByAWrite) {
    WriteBytes(ini, "[S]\r\nk\r\n");
    EXPECT_EQ(Read(ini, "S", "k", "dflt"), "dflt");
    ASSERT_TRUE(Write(ini, "S", "k", "v"));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=v\r\n");
}

// Wine returns such a value one character short; nothing is lost here.
TEST_F(StoreWindowsRules, AQuotedValueFillingTheBufferComesBackWhole) {
    const std::string inner(1023, 'q');
    WriteBytes(ini, "[S]\r\nk=\"" + inner + "\"\r\nshort=\"abc\"\r\n");
    EXPECT_EQ(Read(ini, "S", "k"), inner);
    EXPECT_EQ(Read(ini, "S", "short", "", 4), "abc");
}

TEST_F(StoreWindowsRules, EmptyKeyNamesAndNoSectionAreRefused) {
    EXPECT_FALSE(Write(ini, "S", "", "v"));
    EXPECT_FALSE(Write(ini, "S", "  ", "v"));
    EXPECT_FALSE(Write(ini, nullptr, "k", "v"));
    EXPECT_FALSE(Write("", "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(Read(ini, "S", "", "dflt"), "dflt");
}

}  // namespace
