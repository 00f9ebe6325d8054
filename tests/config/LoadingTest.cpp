// Loading a profile into the configuration document, over the real profile
// functions.

#include "config/Loading.h"

#include <gtest/gtest.h>

#include "tests/support/ProfileTestSupport.h"

namespace {

using config::LoadDocument;
using config::TConfigDocument;
using namespace profiletest;
using Lines = std::vector<std::string>;

class Loading : public ::testing::Test {
protected:
    TConfigDocument Load(const std::string& content, std::int32_t colourBefore = 0x00112233) {
        WriteBytes(ini, content);
        TConfigDocument doc;
        doc.Title = "stale";
        doc.Masks = {"stale"};
        doc.Color = colourBefore;
        LoadDocument(ini, doc);
        return doc;
    }
    TempFolder folder;
    std::string ini = folder.File("brand.ini");
};

TEST_F(Loading, AFileWithoutKeysGivesTheMissingKeyValues) {
    TConfigDocument doc = Load("; nothing here\r\n[Other]\r\nx=1\r\n");
    for (const std::string* s : {&doc.Title, &doc.Dialog, &doc.HelpFile, &doc.Home, &doc.Mail, &doc.Open, &doc.Default})
        EXPECT_EQ(*s, "");
    EXPECT_FALSE(doc.EditMask);
    EXPECT_TRUE(doc.ShowFileNames);
    for (std::size_t i = 0; i < doc.MenuCaptions.size(); ++i) EXPECT_EQ(doc.MenuCaptions[i], std::to_string(i + 1));
    EXPECT_EQ(doc.Color, 0x00112233) << "the colour stays as it was";
    EXPECT_EQ(doc.Masks, Lines{});
    EXPECT_EQ(doc.AboutLines, Lines(6, ""));
}

TEST_F(Loading, ARichProfileFillsEveryValue) {
    TConfigDocument doc = Load(
        "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save as ...\r\n"
        "[Options]\r\nHelpFile=brand.hlp\r\nHome=http://example.org\r\nMail=me@example.org\r\nOpen=start.ico\r\n"
        "Default=ICO\r\nEditMask=0x10\r\nShowFileNames=2\r\nColor=$0000FF\r\n"
        "[Menu]\r\nCopy=\r\nIcon=&Icon\r\nAbout=&About Brand\r\n"
        "[Extensions]\r\nE1=*.ico\r\nE2=*.exe;*.dll\r\nE3=\r\nE4=*.cpl\r\n"
        "[Dialogs]\r\nL1=Brand viewer\r\nL2=>   Indented\r\nL3=>>x\r\nL5=>\r\nL6=plain\r\n");
    EXPECT_EQ(doc.Title, "Brand Viewer");
    EXPECT_EQ(doc.Dialog, "Save as ...");
    EXPECT_EQ(doc.HelpFile, "brand.hlp");
    EXPECT_EQ(doc.Home, "http://example.org");
    EXPECT_EQ(doc.Mail, "me@example.org");
    EXPECT_EQ(doc.Open, "start.ico");
    EXPECT_EQ(doc.Default, "ico");
    EXPECT_TRUE(doc.EditMask) << "0x10 is not 0";
    EXPECT_FALSE(doc.ShowFileNames) << "only exactly 1 ticks it";
    EXPECT_EQ(doc.Color, 0x0000FF);
    EXPECT_EQ(doc.MenuCaptions[0], "") << "a present empty key is an empty caption";
    EXPECT_EQ(doc.MenuCaptions[1], "&Icon");
    EXPECT_EQ(doc.MenuCaptions[2], "3");
    EXPECT_EQ(doc.MenuCaptions[7], "&About Brand");
    EXPECT_EQ(doc.Masks, (Lines{"*.ico", "*.exe;*.dll"})) << "the gap at E3 ends the list";
    EXPECT_EQ(doc.AboutLines, (Lines{"Brand viewer", "   Indented", ">x", "", "", "plain"}));
}

TEST_F(Loading, ColoursThatAreNotUsableLeaveThePreviewAlone) {
    for (const char* value : {"", "0", "$000000", "0x0000FF", "red", "$", "12 34"}) {
        TConfigDocument doc = Load(std::string("[Options]\r\nColor=") + value + "\r\n", 0x00ABCDEF);
        EXPECT_EQ(doc.Color, 0x00ABCDEF) << value;
    }
    EXPECT_EQ(Load("[Options]\r\nColor=255\r\n").Color, 0x0000FF);
    EXPECT_EQ(Load("[Options]\r\nColor=$80000005\r\n").Color, static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(Load("[Options]\r\nColor=-16777216\r\n").Color, -16777216);
}

TEST_F(Loading, FlagsFollowTheirOwnRules) {
    EXPECT_TRUE(Load("[Options]\r\nShowFileNames=yes\r\n").ShowFileNames) << "not a number: the default 1";
    EXPECT_FALSE(Load("[Options]\r\nEditMask=abc\r\n").EditMask);
    EXPECT_TRUE(Load("[Options]\r\nEditMask=-1\r\n").EditMask);
    EXPECT_FALSE(Load("[Options]\r\nShowFileNames=0\r\n").ShowFileNames);
    EXPECT_TRUE(Load("[Options]\r\nShowFileNames=$1\r\n").ShowFileNames);
}

TEST_F(Loading, AboutLinesAreUnescapedAndCut) {
    const std::string longText(300, 'a');
    TConfigDocument doc = Load("[Dialogs]\r\nL1=>" + longText + "\r\nL2=" + longText + "\r\n");
    EXPECT_EQ(doc.AboutLines[0], std::string(255, 'a')) << "after a \">\" at most 255 characters";
    EXPECT_EQ(doc.AboutLines[1], longText) << "other values whole";
    EXPECT_EQ(doc.AboutLines.size(), 6u);
}

TEST_F(Loading, MasksAreReadUpToTheFirstEmptyOrMissingKey) {
    struct Case {
        const char* extensions;
        Lines masks;
    };
    for (const Case& c : {Case{"E1=*.ico\r\nE2=\r\nE3=*.exe\r\n", {"*.ico"}},
                          Case{"E2=*.a\r\nE3=*.b\r\n", {}},
                          Case{"E1=a\r\nE2=b\r\nE10=c\r\n", {"a", "b"}},
                          Case{"E3=c\r\nE1=a\r\nE2=b\r\n", {"a", "b", "c"}}})
        EXPECT_EQ(Load(std::string("[Extensions]\r\n") + c.extensions).Masks, c.masks) << c.extensions;
}

}  // namespace
