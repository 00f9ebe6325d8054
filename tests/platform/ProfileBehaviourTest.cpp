// The profile functions as the program relies on them. The same cases run
// against the real Windows functions (under Wine) and against platform/, so
// the real functions are the reference for our own store.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform/ProfileTestSupport.h"

namespace {

using namespace profiletest;

class ProfileBehaviour : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("profile.ini");
};

TEST_F(ProfileBehaviour, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read(ini, "Captions", "Title", "dflt"), "dflt");
    EXPECT_FALSE(std::filesystem::exists(ini)) << "a read creates no file";

    WriteBytes(ini, "[Captions]\r\nTitle=Glimsel\r\n");
    EXPECT_EQ(Read(ini, "Options", "Title", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "Captions", "Dialog", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "Captions", "Dialog", ""), "");
    // Trailing spaces of the default go; leading ones stay.
    EXPECT_EQ(Read(ini, "Captions", "Dialog", " d  "), " d");
    EXPECT_EQ(Read(ini, "Captions", "Title", "dflt"), "Glimsel");
}

TEST_F(ProfileBehaviour, PresentEmptyValueIsEmptyNotTheDefault) {
    WriteBytes(ini, "[Menu]\r\nCopy=\r\nIcon\r\n");
    EXPECT_EQ(Read(ini, "Menu", "Copy", "1"), "");
    // A line without "=" is no value at all.
    EXPECT_EQ(Read(ini, "Menu", "Icon", "2"), "2");
}

TEST_F(ProfileBehaviour, LeadingBlanksAreDroppedOnRead) {
    WriteBytes(ini, "[S]\r\na=   three\r\nb=\tx\r\n");
    EXPECT_EQ(Read(ini, "S", "a"), "three");
    EXPECT_EQ(Read(ini, "S", "b"), "x");

    ASSERT_TRUE(Write(ini, "S", "c", "   Internal use"));
    EXPECT_EQ(Read(ini, "S", "c"), "Internal use");
}

TEST_F(ProfileBehaviour, LongValuesAreCutToTheBuffer) {
    const std::string value(1500, 'v');
    WriteBytes(ini, "[S]\r\nlong=" + value + "\r\nshort=abcdef\r\n");

    char buffer[1024];
    const auto copied = GetPrivateProfileStringA("S", "long", "", buffer, sizeof buffer, ini.c_str());
    EXPECT_EQ(copied, 1023u);
    EXPECT_EQ(std::string(buffer), value.substr(0, 1023));

    EXPECT_EQ(Read(ini, "S", "short", "", 4), "abc");
    EXPECT_EQ(Read(ini, "S", "short", "", 1), "");
    EXPECT_EQ(Read(ini, "S", "missing", "defaultvalue", 5), "defa");
}

TEST_F(ProfileBehaviour, WritesCreateAddAndUpdate) {
    ASSERT_TRUE(Write(ini, "Captions", "Title", "Glimsel"));
    EXPECT_EQ(ReadBytes(ini), "[Captions]\r\nTitle=Glimsel\r\n");

    ASSERT_TRUE(Write(ini, "Captions", "Dialog", "Save Icon as ..."));
    ASSERT_TRUE(Write(ini, "Menu", "Copy", "&Copy Icon to clipboard"));
    ASSERT_TRUE(Write(ini, "Captions", "Title", "Other"));
    ASSERT_TRUE(Write(ini, "Menu", "Icon", ""));
    EXPECT_EQ(ReadBytes(ini),
              "[Captions]\r\nTitle=Other\r\nDialog=Save Icon as ...\r\n"
              "[Menu]\r\nCopy=&Copy Icon to clipboard\r\nIcon=\r\n");
    EXPECT_EQ(Read(ini, "Menu", "Icon", "2"), "");
}

TEST_F(ProfileBehaviour, ExistingEmptyFileGetsTheSameFirstWrite) {
    WriteBytes(ini, "");
    ASSERT_TRUE(Write(ini, "Options", "EditMask", "0"));
    EXPECT_EQ(ReadBytes(ini), "[Options]\r\nEditMask=0\r\n");
}

TEST_F(ProfileBehaviour, ClearSectionRemovesItsKeysAndAMissingOneSucceeds) {
    const std::string text = "[Captions]\r\nTitle=x\r\n[Extensions]\r\nE1=*.ico\r\nE2=*.exe\r\n[Options]\r\nOpen=a\r\n";
    WriteBytes(ini, text);
    EXPECT_TRUE(ClearSection(ini, "Dialogs"));
    EXPECT_EQ(ReadBytes(ini), text);

    EXPECT_TRUE(ClearSection(ini, "extensions"));
    EXPECT_EQ(Read(ini, "Extensions", "E1", "gone"), "gone");
    // Removed and written again, the section comes back at the end with only
    // its new keys.
    ASSERT_TRUE(Write(ini, "Extensions", "E1", "*.ic?"));
    EXPECT_EQ(ReadBytes(ini), "[Captions]\r\nTitle=x\r\n[Options]\r\nOpen=a\r\n[Extensions]\r\nE1=*.ic?\r\n");
    EXPECT_EQ(Read(ini, "Extensions", "E2", "gone"), "gone");
}

TEST_F(ProfileBehaviour, ClearSectionInAMissingFileSucceeds) {
    EXPECT_TRUE(ClearSection(ini, "Extensions"));
    EXPECT_EQ(Read(ini, "Extensions", "E1", "none"), "none");
}

TEST_F(ProfileBehaviour, WritesIntoAMissingFolderOrOntoAFolderFail) {
    const std::string lost = folder.File("no-such-folder") + "/profile.ini";
    EXPECT_FALSE(Write(lost, "Captions", "Title", "x"));
    EXPECT_FALSE(ClearSection(lost, "Captions"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "no-such-folder"));
    EXPECT_EQ(Read(lost, "Captions", "Title", "dflt"), "dflt");

    const std::string dir = folder.File("a-folder.ini");
    std::filesystem::create_directory(dir);
    EXPECT_FALSE(Write(dir, "Captions", "Title", "x"));
    EXPECT_FALSE(ClearSection(dir, "Captions"));
    EXPECT_EQ(Read(dir, "Captions", "Title", "dflt"), "dflt");
}

TEST_F(ProfileBehaviour, WritesToAReadOnlyFileFailAndLeaveItAlone) {
    const std::string text = "[Captions]\r\nTitle=kept\r\n";
    WriteBytes(ini, text);
    SetReadOnly(ini, true);
    const bool wrote = Write(ini, "Captions", "Title", "changed");
    if (wrote && kRealFunctions) {
        SetReadOnly(ini, false);
        GTEST_SKIP() << "this user may write read-only files under Wine (the superuser may); "
                        "run the tests as an ordinary user to check this case";
    }
    EXPECT_FALSE(wrote);
    EXPECT_FALSE(Write(ini, "Captions", "Title", "kept")) << "also when nothing would change";
    EXPECT_FALSE(ClearSection(ini, "Captions"));
    EXPECT_FALSE(ClearSection(ini, "NotThere"));
    EXPECT_EQ(Read(ini, "Captions", "Title"), "kept");
    SetReadOnly(ini, false);
    EXPECT_EQ(ReadBytes(ini), text);
}

#ifdef _WIN32
TEST_F(ProfileBehaviour, AFileHeldOpenWithoutSharingCannotBeUsed) {
    WriteBytes(ini, "[Captions]\r\nTitle=x\r\n");
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Write(ini, "Captions", "Title", "y"));
    EXPECT_EQ(Read(ini, "Captions", "Title", "dflt"), "dflt");
    CloseHandle(held);
    EXPECT_EQ(Read(ini, "Captions", "Title", "dflt"), "x");
}
#endif

// Layouts that an author's own profile may have.

TEST_F(ProfileBehaviour, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    WriteBytes(ini, "[cAPTIONS]\r\ntITLE=one\r\n");
    EXPECT_EQ(Read(ini, "Captions", "Title"), "one");
    ASSERT_TRUE(Write(ini, "CAPTIONS", "TITLE", "two"));
    EXPECT_EQ(ReadBytes(ini), "[cAPTIONS]\r\ntITLE=two\r\n");
}

TEST_F(ProfileBehaviour, BlanksAroundNamesAndEqualsSignAreIgnored) {
    WriteBytes(ini, "  [ Options ]  \r\n  Home  =  http://x  \r\n\tMail\t=\tm@x\t\r\n");
    EXPECT_EQ(Read(ini, "Options", "Home"), "http://x");
    EXPECT_EQ(Read(ini, "Options", "Mail"), "m@x");
    EXPECT_EQ(Read(ini, " Options ", " Home "), "http://x");
}

TEST_F(ProfileBehaviour, CommentsAndBlankLinesDoNotDisturbTheKeys) {
    WriteBytes(ini,
               "; written by hand\r\n\r\n[Options]\r\n; the home page\r\nHome=h\r\n\r\n"
               "Mail=m ; not a comment\r\n[Menu]\r\nCopy=c\r\n");
    EXPECT_EQ(Read(ini, "Options", "Home"), "h");
    EXPECT_EQ(Read(ini, "Options", "Mail"), "m ; not a comment");
    EXPECT_EQ(Read(ini, "Menu", "Copy"), "c");

    ASSERT_TRUE(Write(ini, "Options", "Open", "o"));
    EXPECT_EQ(Read(ini, "Options", "Open"), "o");
    EXPECT_EQ(Read(ini, "Options", "Home"), "h");
    EXPECT_EQ(Read(ini, "Menu", "Copy"), "c");
}

TEST_F(ProfileBehaviour, OneOuterPairOfQuotesIsRemoved) {
    WriteBytes(ini,
               "[Q]\r\ndouble=\"abc\"\r\nsingle='abc'\r\nnested=\"\"abc\"\"\r\nmixed=\"abc'\r\nlone=\"\r\n"
               "empty=\"\"\r\ninner=\"  x  \"\r\n");
    EXPECT_EQ(Read(ini, "Q", "double"), "abc");
    EXPECT_EQ(Read(ini, "Q", "single"), "abc");
    EXPECT_EQ(Read(ini, "Q", "nested"), "\"abc\"");
    EXPECT_EQ(Read(ini, "Q", "mixed"), "\"abc'");
    EXPECT_EQ(Read(ini, "Q", "lone"), "\"");
    EXPECT_EQ(Read(ini, "Q", "empty", "dflt"), "");
    EXPECT_EQ(Read(ini, "Q", "inner"), "  x  ");
}

TEST_F(ProfileBehaviour, EveryKindOfLineEndEndsALine) {
    WriteBytes(ini, "[A]\nlf=1\n[B]\rcr=2\r[C]\r\ncrlf=3\r\n\n\r\n[D]\nlast=4");
    EXPECT_EQ(Read(ini, "A", "lf"), "1");
    EXPECT_EQ(Read(ini, "B", "cr"), "2");
    EXPECT_EQ(Read(ini, "C", "crlf"), "3");
    EXPECT_EQ(Read(ini, "D", "last"), "4");
}

TEST_F(ProfileBehaviour, AFileWithoutAFinalLineBreakTakesNewKeysAndSections) {
    WriteBytes(ini, "[Captions]\r\nTitle=t");
    ASSERT_TRUE(Write(ini, "Captions", "Dialog", "d"));
    ASSERT_TRUE(Write(ini, "Menu", "Copy", "c"));
    EXPECT_EQ(ReadBytes(ini), "[Captions]\r\nTitle=t\r\nDialog=d\r\n[Menu]\r\nCopy=c\r\n");
}

TEST_F(ProfileBehaviour, OnlyTheFirstSectionAndTheFirstKeyOfANameCount) {
    WriteBytes(ini, "[S]\r\nk=first\r\nk=second\r\n[T]\r\n[s]\r\nk=third\r\nonly=later\r\n");
    EXPECT_EQ(Read(ini, "S", "k"), "first");
    EXPECT_EQ(Read(ini, "S", "only", "dflt"), "dflt");
    ASSERT_TRUE(Write(ini, "S", "k", "new"));
    EXPECT_EQ(Read(ini, "S", "k"), "new");
    EXPECT_EQ(Read(ini, "s", "k"), "new");
}

TEST_F(ProfileBehaviour, HighBytesPassUnchanged) {
    const std::string value = "caf\xE9 \x80\x81\x8D\x9F\xFF";
    ASSERT_TRUE(Write(ini, "S", "k", value.c_str()));
    EXPECT_EQ(Read(ini, "S", "k"), value);
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=" + value + "\r\n");
}

}  // namespace
