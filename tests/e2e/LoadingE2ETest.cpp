// End to end: started with a profile, the window shows it; F1 shows the
// About box, which is answered like a user would.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

std::string TempFile(const std::string& name, const std::string& content) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

TEST(Loading, StartedWithAProfileTheWindowShowsItAndF1ShowsTheAboutBox) {
    const std::string profile = TempFile("glimsel e2e brand.ini",
                                         "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save it\r\n"
                                         "[Options]\r\nHome=http://example.org\r\nDefault=BMP\r\nEditMask=1\r\n"
                                         "ShowFileNames=0\r\n[Extensions]\r\nE1=*.ico\r\nE2=*.cur\r\n"
                                         "[Dialogs]\r\nL1=Brand\r\nL3=>  third\r\n");
    Program program("\"" + profile + "\"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // The load happens at the first activation, just after the window shows.
    for (int i = 0; i < 50 && TextOf(window) == kCaption; ++i) Sleep(100);
    EXPECT_EQ(TextOf(window), "Glimsel - Configuration : glimsel e2e brand.ini");

    auto children = ChildrenOf(window);
    for (const char* text : {"Brand Viewer", "Save it", "http://example.org", "bmp", "*.ico\r\n*.cur\r\n",
                             "Brand\r\n\r\n  third\r\n\r\n\r\n\r\n"})
        EXPECT_NE(Find(children, "Edit", text), nullptr) << text;
    HWND check1 = Find(children, "Button", "Allow the user to edit the file mask");
    HWND check2 = Find(children, "Button", "Add filenames to application title");
    ASSERT_TRUE(check1 && check2);
    EXPECT_EQ(SendMessageA(check1, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(check2, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SetForegroundWindow(window);
    for (int i = 0; i < 30 && GetForegroundWindow() != window; ++i) Sleep(100);
    Sleep(200);
    PressKey(VK_F1);
    HWND box = WaitForBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "F1 showed no box";
    EXPECT_EQ(TextOf(box), "Glimsel - Configuration");
    EXPECT_NE(BoxText(box).find("Glimsel Configuration"), std::string::npos) << BoxText(box);
    EXPECT_NE(BoxText(box).find("Copyright"), std::string::npos);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL)), false)
        << "an information box has only OK";
    EXPECT_FALSE(IsWindowEnabled(window)) << "the window waits for the box";

    SetForegroundWindow(box);
    PressKey(VK_RETURN);
    for (int i = 0; i < 50 && IsWindow(box); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(box));
    for (int i = 0; i < 20 && !IsWindowEnabled(window); ++i) Sleep(100);
    EXPECT_TRUE(IsWindowEnabled(window));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    DeleteFileA(profile.c_str());
}

}  // namespace
