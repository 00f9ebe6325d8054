// The open, save and colour dialog components: what they hand to the system
// dialogs, what they keep of the answer, and the real colour dialog's place.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

using namespace forms;
using namespace testutil;

namespace {

class DialogsTest : public WithShownForm {
protected:
    DialogsTest() : WithShownForm("TDialogsTestForm") {}
};

const char kFilter[] = "Configuration files (*.ini)|*.ini|All files (*.*)|*.*";
const std::string kFilterBuffer("Configuration files (*.ini)\0*.ini\0All files (*.*)\0*.*\0\0", 55);

TEST_F(DialogsTest, OpenDialogHandsOverItsPropertiesAndKeepsTheChoice) {
    TOpenDialog dialog(form.get(), "OpenDialog1");
    dialog.Title = "Open configuration file ...";
    dialog.Filter = kFilter;
    dialog.DefaultExt = "ini";
    dialog.Options = ofHideReadOnly | ofPathMustExist | ofFileMustExist;
    dialog.FileName = "C:\\Cfg\\main.ini";

    FileDialogStandIn open(&Services::GetOpenFileNameA, "C:\\Brand\\brand.ini", 2);
    FileDialogStandIn save(&Services::GetSaveFileNameA);
    EXPECT_TRUE(dialog.Execute());

    EXPECT_EQ(save.calls, 0) << "the open dialog opened a save dialog";
    EXPECT_EQ(open.calls, 1);
    const FileRequest& request = open.request;
    EXPECT_EQ(request.structSize, sizeof(OPENFILENAMEA));
    EXPECT_EQ(request.owner, form->Handle());
    EXPECT_EQ(request.title, "Open configuration file ...");
    EXPECT_EQ(request.filter, kFilterBuffer);
    EXPECT_EQ(request.filterIndex, 1u) << "the first entry is selected";
    EXPECT_EQ(request.defaultExt, "ini");
    EXPECT_EQ(request.initialFile, "C:\\Cfg\\main.ini");
    EXPECT_GE(request.maxFile, 32768u);
    const DWORD wanted = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    EXPECT_EQ(request.flags & wanted, wanted);
    EXPECT_FALSE(request.flags & (OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR));
    EXPECT_TRUE(request.ownerEnabled) << "the owner is left to the dialog, which disables it itself";
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    EXPECT_EQ(dialog.FileName, "C:\\Brand\\brand.ini");
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(DialogsTest, ACancelledOrFailedFileDialogChangesNothing) {
    TSaveDialog dialog(form.get(), "SaveDialog1");
    dialog.Filter = kFilter;
    dialog.FileName = "C:\\Brand\\brand.ini";
    FileDialogStandIn save(&Services::GetSaveFileNameA, "", 2);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(save.calls, 1);
    EXPECT_EQ(dialog.FileName, "C:\\Brand\\brand.ini");
    EXPECT_EQ(dialog.FilterIndex, 1);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(DialogsTest, SaveDialogWithoutDefaultExtensionTakesALongPathWhole) {
    TSaveDialog dialog(form.get(), "SaveDialog1");
    dialog.Title = "Save configuration file as ...";
    dialog.Filter = kFilter;
    dialog.Options = ofOverwritePrompt | ofHideReadOnly;
    const std::string longPath = "C:\\" + std::string(40, 'd') + "\\" + std::string(600, 'n') + ".ini";

    FileDialogStandIn save(&Services::GetSaveFileNameA, longPath, 1);
    const FileRequest& request = save.request;
    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(request.defaultExtNull) << "no default extension is passed as none, not as an empty one";
    EXPECT_EQ(request.initialFile, "");
    EXPECT_TRUE(request.flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(request.flags & OFN_HIDEREADONLY);
    EXPECT_FALSE(request.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(dialog.FileName, longPath);

    // The name proposed next time is the one chosen, whole.
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(request.initialFile, longPath);
}

// The real save dialog makes the folder it saved in the current one; the
// component puts the old one back.
TEST_F(DialogsTest, RealSaveDialogReturnsTheTypedNameAndKeepsTheCurrentFolder) {
    char before[MAX_PATH] = {}, after[MAX_PATH] = {};
    const profiletest::TempFolder temp;
    const std::string folder = temp.File("glimsel dialog test");
    CreateDirectoryA(folder.c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, before);

    TSaveDialog dialog(form.get(), "SaveDialog1");
    dialog.Title = "Save configuration file as ...";
    dialog.Filter = kFilter;
    dialog.Options = ofOverwritePrompt | ofHideReadOnly;
    std::string title;
    {
        WhenDialogOpens when([&](HWND d) {
            title = WindowText(d);
            SetDlgItemTextA(d, 0x47C, (folder + "\\gift").c_str());
            PostMessageA(d, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(dialog.Execute());
        ASSERT_TRUE(when.Ran());
    }
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_EQ(title, "Save configuration file as ...");
    EXPECT_EQ(dialog.FileName, folder + "\\gift");
    EXPECT_STREQ(after, before);
}

// What the colour dialog was given.
TEST_F(DialogsTest, ColorDialogStartsAtTheRgbValueOfASystemColour) {
    TColorDialog dialog(form.get(), "ColorDialog1");
    dialog.Color = clBackground;
    ColorRequest request;
    ColorDialogStandIn answer(request, FALSE, 0, 0, RGB(255, 255, 255));
    EXPECT_FALSE(dialog.Execute());

    EXPECT_EQ(request.calls, 1);
    EXPECT_EQ(request.structSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(request.owner, form->Handle());
    EXPECT_EQ(request.start, GetSysColor(COLOR_BACKGROUND));
    EXPECT_TRUE(request.flags & CC_RGBINIT);
    EXPECT_FALSE(request.flags & (CC_FULLOPEN | CC_SHOWHELP | CC_PREVENTFULLOPEN));
    EXPECT_TRUE(request.hook && (request.flags & CC_ENABLEHOOK)) << "it places itself";
    for (COLORREF c : request.custom) EXPECT_EQ(c, RGB(255, 255, 255)) << "no custom colour at first";
    EXPECT_TRUE(request.ownerEnabled) << "the owner is left to the dialog";
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(dialog.Color, clBackground) << "a cancelled dialog leaves Color alone";

    // A plain colour is handed over as it is.
    dialog.Color = 0x00336699;
    dialog.Execute();
    EXPECT_EQ(request.start, 0x00336699u);
}

TEST_F(DialogsTest, CustomColoursAreKeptAfterOkOnlyAndOkGivesTheChosenColour) {
    TColorDialog dialog(form.get(), "ColorDialog1");
    dialog.Color = clBackground;
    ColorRequest request;
    {
        ColorDialogStandIn answer(request, TRUE, RGB(1, 2, 3), 3, RGB(9, 8, 7));
        EXPECT_TRUE(dialog.Execute());
    }
    EXPECT_EQ(dialog.Color, static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_EQ(dialog.CustomColors[3], RGB(9, 8, 7));
    {
        ColorDialogStandIn answer(request, FALSE, RGB(4, 5, 6), 5, RGB(0, 0, 0));
        EXPECT_FALSE(dialog.Execute());
    }
    EXPECT_EQ(request.custom[3], RGB(9, 8, 7)) << "the kept colour is offered at the next opening";
    EXPECT_EQ(request.start, RGB(1, 2, 3));
    EXPECT_EQ(dialog.CustomColors[5], RGB(255, 255, 255)) << "not kept after Cancel";
    EXPECT_EQ(dialog.Color, static_cast<TColor>(RGB(1, 2, 3)));
}

// The real colour dialog under the system.
TEST_F(DialogsTest, RealColorDialogOpensAtItsPlaceWithTheStartColour) {
    TColorDialog dialog(form.get(), "ColorDialog1");
    dialog.Color = static_cast<TColor>(RGB(10, 20, 30));
    RECT r{};
    std::string red, green, blue;
    bool formEnabled = true;
    HWND owner = nullptr;
    {
        WhenDialogOpens when([&](HWND d) {
            GetWindowRect(d, &r);
            owner = GetWindow(d, GW_OWNER);
            formEnabled = IsWindowEnabled(form->Handle());
            red = WindowText(GetDlgItem(d, 706));
            green = WindowText(GetDlgItem(d, 707));
            blue = WindowText(GetDlgItem(d, 708));
            PostMessageA(d, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(dialog.Execute());
        ASSERT_TRUE(when.Ran());
    }
    const int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_GT(width, 0);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 3);
    EXPECT_EQ(owner, form->Handle());
    EXPECT_FALSE(formEnabled);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the window active before is active again";
    EXPECT_EQ(red + "," + green + "," + blue, "10,20,30");
    EXPECT_EQ(dialog.Color, static_cast<TColor>(RGB(10, 20, 30))) << "OK without a change keeps the start colour";

    // Cancelled: nothing changes, and the result says so.
    dialog.Color = clBackground;
    {
        WhenDialogOpens when([&](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_TRUE(when.Ran());
    }
    EXPECT_EQ(dialog.Color, clBackground);
}

}  // namespace
