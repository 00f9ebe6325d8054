// End to end: started with a profile, the window shows it; F1 shows the
// About box, which is answered like a user would.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

TEST(Loading, StartedWithAProfileTheWindowShowsItAndF1ShowsTheAboutBox) {
    const TempFolder folder;
    const std::string profile = folder / "glimsel e2e brand.ini";
    std::ofstream(profile, std::ios::binary) << "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save it\r\n"
                                                "[Options]\r\nHome=http://example.org\r\nDefault=BMP\r\nEditMask=1\r\n"
                                                "ShowFileNames=0\r\n[Extensions]\r\nE1=*.ico\r\nE2=*.cur\r\n"
                                                "[Dialogs]\r\nL1=Brand\r\nL3=>  third\r\n";
    Program program("\"" + profile + "\"");
    ASSERT_TRUE(program.Started());
    // The load happens at the first activation, just after the window shows.
    HWND window = program.WaitForWindow("Glimsel - Configuration : glimsel e2e brand.ini");
    ASSERT_NE(window, nullptr) << "the window never named the profile";

    auto children = ChildrenOf(window);
    for (const char* text : {"Brand Viewer", "Save it", "http://example.org", "bmp", "*.ico\r\n*.cur\r\n",
                             "Brand\r\n\r\n  third\r\n\r\n\r\n\r\n"})
        EXPECT_NE(Find(children, "Edit", text), nullptr) << text;
    HWND check1 = Find(children, "Button", "Allow the user to edit the file mask");
    HWND check2 = Find(children, "Button", "Add filenames to application title");
    ASSERT_TRUE(check1 && check2);
    EXPECT_EQ(SendMessageA(check1, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(check2, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ASSERT_TRUE(BringToFront(window));
    PressKey(VK_F1);
    HWND box = WaitForBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "F1 showed no box";
    EXPECT_EQ(TextOf(box), "Glimsel - Configuration");
    EXPECT_NE(BoxText(box).find("Glimsel Configuration"), std::string::npos) << BoxText(box);
    EXPECT_NE(BoxText(box).find("Copyright"), std::string::npos);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL)), false)
        << "an information box has only OK";
    EXPECT_FALSE(IsWindowEnabled(window)) << "the window waits for the box";

    BringToFront(box);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window); }));

    EXPECT_EQ(program.Close(window), 0);
}

}  // namespace
