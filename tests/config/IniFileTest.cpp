// TIniFile over the real profile functions.

#include "config/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "config/FileExists.h"
#include "config/ProfileError.h"
#include "tests/support/ProfileTestSupport.h"

namespace {

using config::TIniFile;
using namespace profiletest;

class IniFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("brand.ini");
};

TEST_F(IniFile, ReadNumberTakesDecimalDollarAndZeroXForms) {
    WriteBytes(ini,
               "[N]\r\nhex1=0x1F\r\nhex2=0X1f\r\nhex3=$1F\r\nbare=1F\r\nzx=0x\r\nempty=\r\nneg=-5\r\npos=+5\r\n"
               "negdollar=-$5\r\nbig=2147483648\r\nmin=-2147483648\r\ntail=12abc\r\nall=$FFFFFFFF\r\n"
               "lead=   42\r\nzxneg=0x-5\r\nflag=0x10\r\none=0x1\r\nword=yes\r\n");
    const TIniFile file(ini);
    const auto number = [&](const char* key) { return file.ReadNumber("N", key, 77); };
    EXPECT_EQ(number("hex1"), 31);
    EXPECT_EQ(number("hex2"), 31);
    EXPECT_EQ(number("hex3"), 31);
    EXPECT_EQ(number("bare"), 77);
    EXPECT_EQ(number("zx"), 77);
    EXPECT_EQ(number("empty"), 77);
    EXPECT_EQ(number("missing"), 77);
    EXPECT_EQ(number("neg"), -5);
    EXPECT_EQ(number("pos"), 5);
    EXPECT_EQ(number("negdollar"), 77);
    EXPECT_EQ(number("big"), 77);
    EXPECT_EQ(number("min"), -2147483647 - 1);
    EXPECT_EQ(number("tail"), 77);
    EXPECT_EQ(number("all"), -1);
    EXPECT_EQ(number("lead"), 42);
    EXPECT_EQ(number("zxneg"), 77);
    EXPECT_EQ(number("flag"), 16);
    EXPECT_EQ(number("one"), 1) << "one digit after 0x";
    EXPECT_EQ(number("word"), 77);
    EXPECT_EQ(TIniFile(folder.File("none.ini")).ReadNumber("N", "hex1", 1), 1);
}

TEST_F(IniFile, ReadValueReturnsAtMost1023Characters) {
    const std::string value(1500, 'x');
    WriteBytes(ini, "[S]\r\nlong=" + value + "\r\n");
    EXPECT_EQ(TIniFile(ini).ReadValue("S", "long", ""), value.substr(0, 1023));
}

TEST_F(IniFile, WritesAreReadBack) {
    TIniFile file(ini);
    file.WriteFlag("Options", "EditMask", false);
    file.WriteFlag("Options", "ShowFileNames", true);
    file.WriteValue("Menu", "Copy", "");
    file.WriteValue("Dialogs", "L3", ">   Internal use");
    file.WriteValue("Dialogs", "L2", "   three blanks");
    EXPECT_EQ(file.ReadValue("Options", "EditMask", "x"), "0");
    EXPECT_EQ(file.ReadValue("Options", "ShowFileNames", "x"), "1");
    EXPECT_EQ(file.ReadValue("Menu", "Copy", "1"), "");
    EXPECT_EQ(file.ReadValue("Dialogs", "L3", ""), ">   Internal use");
    EXPECT_EQ(file.ReadValue("Dialogs", "L2", ""), "three blanks");
    EXPECT_EQ(file.ReadValue("Dialogs", "L9", "dflt"), "dflt");
}

TEST_F(IniFile, ClearSectionRemovesTheSectionAndToleratesItsAbsence) {
    TIniFile file(ini);
    file.WriteValue("Extensions", "E1", "*.ico");
    file.WriteValue("Options", "Open", "a");
    file.ClearSection("Extensions");
    file.ClearSection("Dialogs");
    EXPECT_EQ(file.ReadValue("Extensions", "E1", ""), "");
    EXPECT_EQ(file.ReadValue("Options", "Open", ""), "a");
}

TEST_F(IniFile, AValueIsStoredUpToItsFirstLineBreak) {
    TIniFile file(ini);
    file.WriteValue("Captions", "Title", "first\r\n[Extensions]\r\nE1=injected");
    file.WriteValue("Captions", "Dialog", "one\rtwo");
    file.WriteValue("Captions", "Help", "\nlost");
    EXPECT_EQ(file.ReadValue("Captions", "Title", ""), "first");
    EXPECT_EQ(file.ReadValue("Captions", "Dialog", ""), "one");
    EXPECT_EQ(file.ReadValue("Captions", "Help", "dflt"), "");
    EXPECT_EQ(file.ReadValue("Extensions", "E1", "none"), "none");
}

// The file-exists test and the profile must agree on where such a file is.
TEST_F(IniFile, ANameWithoutFolderIsAFileInTheCurrentFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    TIniFile file("bare.ini");
    file.WriteValue("Captions", "Title", "here");
    const std::string read = file.ReadValue("Captions", "Title", "");
    const bool exists = config::FileExists("bare.ini");
    std::filesystem::current_path(previous);
    EXPECT_EQ(read, "here");
    EXPECT_TRUE(exists);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "bare.ini"));
}

// Every refused write raises the write error naming the file as given.
void ExpectWriteError(TIniFile& file, const std::string& name) {
    const std::function<void()> writes[] = {[&] { file.WriteValue("Captions", "Title", "x"); },
                                            [&] { file.WriteFlag("Options", "EditMask", true); },
                                            [&] { file.ClearSection("Extensions"); }};
    for (const auto& write : writes) {
        try {
            write();
            ADD_FAILURE() << "the write did not raise";
        } catch (const config::EProfileError& error) {
            EXPECT_EQ(error.Action(), config::EProfileError::TAction::Write);
            EXPECT_EQ(error.FileName(), name);
        }
    }
}

TEST_F(IniFile, AWriteIntoAMissingFolderRaisesTheWriteError) {
    // A "%" in the name is text, not a format.
    const std::string name = folder.File("100%s %d %n") + "/brand.ini";
    TIniFile file(name);
    ExpectWriteError(file, name);
    EXPECT_FALSE(config::FileExists(name));
}

TEST_F(IniFile, AWriteToAReadOnlyFileRaisesTheWriteError) {
    WriteBytes(ini, "[Captions]\r\nTitle=kept\r\n");
    SetReadOnly(ini, true);
    TIniFile file(ini);
    if (Write(ini, "Captions", "Title", "kept"))
        GTEST_SKIP() << "this user may write read-only files under Wine (the superuser may)";
    ExpectWriteError(file, ini);
    EXPECT_EQ(file.ReadValue("Captions", "Title", ""), "kept");
}

TEST_F(IniFile, FileExistsCountsFilesNotFolders) {
    EXPECT_FALSE(config::FileExists(""));
    EXPECT_FALSE(config::FileExists(ini));
    EXPECT_FALSE(config::FileExists(folder.Path().string()));
    WriteBytes(ini, "");
    EXPECT_TRUE(config::FileExists(ini));
}

}  // namespace
