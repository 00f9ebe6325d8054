// Loading at the first activation, Help, F1 and About: the real window, its
// boxes and the help viewer answered through their entry points.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/Form1.h"
#include "forms/Paths.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;
using profiletest::TempFolder;
using profiletest::WriteBytes;
using Lines = std::vector<std::string>;

namespace {

const char kRichProfile[] =
    "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save the icon\r\n"
    "[Options]\r\nHelpFile=brand.hlp\r\nHome=http://example.org\r\nMail=me@example.org\r\nOpen=start.ico\r\n"
    "Default=ICO\r\nEditMask=1\r\nShowFileNames=0\r\nColor=$00FF00\r\n"
    "[Menu]\r\nCopy=&Copy it\r\nIcon=\r\nHelp=&Help me\r\n"
    "[Extensions]\r\nE1=*.ico\r\nE2=*.cur\r\n"
    "[Dialogs]\r\nL1=Brand\r\nL2=>  indented\r\n";

class SetupTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        Application->SetHelpFile("");
    }
    void TearDown() override {
        Application->SetHelpFile("");
        Form1Fixture::TearDown();
    }
    // The window's first activation, as the message loop brings it.
    void Activate() {
        form->Show();
        SetForegroundWindow(form->Handle());
        SetActiveWindow(form->Handle());
        Pump(5);
    }

    TempFolder folder;
};

TEST_F(SetupTest, StartedWithAProfileEveryControlAndTheCaptionShowIt) {
    const std::string ini = folder.File("brand.ini");
    WriteBytes(ini, kRichProfile);
    form->CommandLineProfile = ini;
    MessageBoxRecorder boxes;
    Activate();

    EXPECT_EQ(form->Text(), "Glimsel - Configuration : brand.ini");
    EXPECT_EQ(form->Edit1->Text(), "Brand Viewer");
    EXPECT_EQ(form->Edit2->Text(), "Save the icon");
    EXPECT_EQ(form->Edit3->Text(), "brand.hlp");
    EXPECT_EQ(form->Edit4->Text(), "http://example.org");
    EXPECT_EQ(form->Edit5->Text(), "me@example.org");
    EXPECT_EQ(form->Edit6->Text(), "start.ico");
    EXPECT_EQ(form->Edit7->Text(), "ico");
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_EQ(form->ScrollBox1->Color(), 0x00FF00);
    EXPECT_EQ(form->Copytoclipboard1->Caption(), "&Copy it");
    EXPECT_EQ(form->Saveas1->Caption(), "");
    EXPECT_EQ(form->SaveIconasBMP1->Caption(), "3");
    EXPECT_EQ(form->Help1->Caption(), "&Help me");
    EXPECT_FALSE(form->Help1->Visible()) << "loading changes captions only";
    EXPECT_EQ(form->About1->Caption(), "8");
    EXPECT_EQ(form->Memo1->Lines().ToVector(), (Lines{"*.ico", "*.cur"}));
    EXPECT_EQ(form->Memo2->Lines().ToVector(), (Lines{"Brand", "  indented", "", "", "", ""}));
    EXPECT_EQ(form->Msg1->BoxCaption, "Glimsel - Configuration");
    EXPECT_EQ(boxes.Count(), 0) << "loading shows nothing";
}

TEST_F(SetupTest, ABareFileNameMeansTheFileInTheCurrentFolder) {
    WriteBytes(folder.File("brand.ini"), kRichProfile);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().string().c_str()));
    form->CommandLineProfile = forms::FullPath("brand.ini");
    SetCurrentDirectoryA(previous);  // made full once: a later change of folder does not matter

    EXPECT_EQ(std::filesystem::path(form->CommandLineProfile), std::filesystem::path(folder.File("brand.ini")));
    MessageBoxRecorder boxes;
    Activate();
    EXPECT_EQ(form->Edit1->Text(), "Brand Viewer");
    EXPECT_EQ(form->Text(), "Glimsel - Configuration : brand.ini");
}

TEST_F(SetupTest, AMissingFileOrAFolderLeavesTheDefaultsAndSaysNothing) {
    MessageBoxRecorder boxes;
    for (const std::string& path : {folder.File("missing.ini"), folder.Path().string(), std::string()}) {
        SCOPED_TRACE(path);
        Owned<glim::TForm1> fresh(new glim::TForm1(nullptr));
        fresh->CommandLineProfile = path;
        fresh->FormActivate(fresh.get());
        EXPECT_EQ(fresh->Text(), "Glimsel - Configuration");
        EXPECT_EQ(fresh->Edit1->Text(), "Glimsel");
        EXPECT_EQ(fresh->Memo1->Lines().Count(), 3);
        EXPECT_EQ(fresh->ScrollBox1->Color(), static_cast<TColor>(0x80000001));
    }
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(SetupTest, ASecondLoadWithoutAColourKeepsTheFirstOne) {
    const std::string first = folder.File("first.ini"), second = folder.File("second.ini");
    WriteBytes(first, "[Options]\r\nColor=$0000FF\r\n[Extensions]\r\nE1=*.a\r\n");
    WriteBytes(second, "[Options]\r\nColor=0\r\n[Extensions]\r\nE1=*.b\r\n");
    form->CommandLineProfile = first;
    form->FormActivate(form.get());
    EXPECT_EQ(form->ScrollBox1->Color(), 0x0000FF);
    form->CommandLineProfile = second;
    form->FormActivate(form.get());
    EXPECT_EQ(form->ScrollBox1->Color(), 0x0000FF);
    EXPECT_EQ(form->Memo1->Lines().ToVector(), Lines{"*.b"});
    EXPECT_EQ(form->Text(), "Glimsel - Configuration : second.ini");
}

TEST_F(SetupTest, ActivatingTheWindowAgainDoesNotLoadAgain) {
    const std::string ini = folder.File("brand.ini");
    WriteBytes(ini, kRichProfile);
    form->CommandLineProfile = ini;
    MessageBoxRecorder boxes;
    Activate();
    ASSERT_EQ(form->Edit1->Text(), "Brand Viewer");
    EXPECT_FALSE(form->OnActivate) << "the set-up empties its own slot";
    form->Edit1->SetText("edited");
    HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    Pump();
    SetForegroundWindow(form->Handle());
    Pump(5);
    DestroyWindow(other);
    EXPECT_EQ(form->Edit1->Text(), "edited");
}

TEST_F(SetupTest, F1InAMemoRunsHelpAndTheMemoGetsNothingAlsoWithShiftOrAlt) {
    MessageBoxRecorder boxes;
    Activate();
    SetFocus(form->Memo1->Handle());
    const std::string before = form->Memo1->Text();
    PressKey(VK_F1);
    EXPECT_EQ(boxes.Count(), 1) << "without a help file, Help shows the About box";
    EXPECT_EQ(boxes.Last().caption, "Glimsel - Configuration");
    EXPECT_EQ(boxes.Last().flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_NE(boxes.Last().text.find("Copyright"), std::string::npos);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PressKey(VK_F1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(boxes.Count(), 2);
    // Alt+F1 comes as a system key.
    PostMessageA(GetFocus(), WM_SYSKEYDOWN, VK_F1, 0x20000001);
    PostMessageA(GetFocus(), WM_SYSKEYUP, VK_F1, 0xE0000001);
    Pump();
    EXPECT_EQ(boxes.Count(), 3);
    EXPECT_EQ(form->Memo1->Text(), before);
    EXPECT_EQ(GetFocus(), form->Memo1->Handle());

    // Other keys pass on to the focused control.
    WORD key = 'A';
    form->FormKeyDown(form.get(), key, ssNone);
    EXPECT_EQ(key, 'A');
}

// The help file's place beside the program, cleared when the test ends,
// whether it passed or failed.
struct HelpBesideTheProgram {
    const std::filesystem::path path = std::filesystem::path(Application->ExeName()).parent_path() / "glimview.hlp";
    ~HelpBesideTheProgram() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

TEST_F(SetupTest, AHelpFileBesideTheProgramGoesToTheHelpViewer) {
    const HelpBesideTheProgram beside;
    const std::filesystem::path& help = beside.path;
    ASSERT_FALSE(std::filesystem::exists(help)) << "left over from an earlier run";
    WriteBytes(help.string(), "help");
    struct Call {
        HWND owner;
        std::string file;
        UINT command;
        ULONG_PTR data;
        int count = 0;
    } call{};
    ServiceOverride viewer(&Services::WinHelpA, [&](HWND owner, const char* file, UINT command, ULONG_PTR data) {
        call = {owner, file, command, data, call.count + 1};
        return TRUE;
    });
    MessageBoxRecorder boxes;
    form->FormActivate(form.get());
    std::filesystem::remove(help);  // found once, at the set-up

    form->HelpBtnClick(nullptr);
    EXPECT_EQ(call.count, 1);
    EXPECT_EQ(call.owner, form->Handle());
    EXPECT_EQ(std::filesystem::path(call.file), help);
    EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTENTS));
    EXPECT_EQ(call.data, 0u);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(SetupTest, AFolderNamedLikeTheHelpFileIsNoHelpFile) {
    const HelpBesideTheProgram beside;
    const std::filesystem::path& help = beside.path;
    ASSERT_FALSE(std::filesystem::exists(help));
    std::filesystem::create_directory(help);
    MessageBoxRecorder boxes;
    form->FormActivate(form.get());
    std::filesystem::remove(help);
    EXPECT_EQ(Application->HelpFile(), "");
    form->HelpBtnClick(nullptr);
    EXPECT_EQ(boxes.Count(), 1) << "the About box instead";
}

}  // namespace
