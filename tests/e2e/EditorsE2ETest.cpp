// End to end, with real input from another process: a menu caption typed into
// the real input dialog, a colour chosen in the real colour dialog, both
// saved; and the About preview read from its box.

#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

std::string ProfileValue(const std::string& profile, const char* section, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, profile.c_str());
    return value;
}

bool WaitGone(HWND hwnd) {
    return WaitUntil([hwnd] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

// Waits for a save into a new profile to finish: its last key is written last.
void WaitForFirstSave(const std::string& profile) {
    WaitUntil([&] { return ProfileValue(profile, "Dialogs", "L6") != "(missing)"; });
}

COLORREF ScreenPixel(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// Opens the icon menu with a click on the Menu items heading at `offset`
// from its corner, and chooses the first item with the keyboard: the caption
// dialog of "Copy icon to clipboard" opens.
HWND ChooseFirstMenuItem(Program& program, HWND button, POINT offset, POINT* menuCorner = nullptr) {
    RECT r{};
    GetWindowRect(button, &r);
    ClickAt(r.left + offset.x, r.top + offset.y);
    HWND menu = WaitForMenu(program.ProcessId());
    if (!menu) return nullptr;
    if (menuCorner) {
        RECT m{};
        GetWindowRect(menu, &m);
        *menuCorner = {m.left, m.top};
    }
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    return WaitForBox(program.ProcessId());
}

TEST(EditorsE2E, ACaptionTypedIntoTheRealDialogShowsNextTimeAndIsSaved) {
    const TempFolder folder;
    const std::string profile = folder / "captions.ini";
    Program program("\"" + profile + "\"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));
    HWND button = Find(ChildrenOf(window), "TSpeedButton", "Menu items  ");
    ASSERT_NE(button, nullptr);

    // The menu opens with its corner where the click was, wherever on the button.
    POINT corner{};
    HWND dialog = ChooseFirstMenuItem(program, button, {12, 5}, &corner);
    RECT r{};
    GetWindowRect(button, &r);
    EXPECT_EQ(corner.x, r.left + 12);
    EXPECT_EQ(corner.y, r.top + 5);
    ASSERT_NE(dialog, nullptr) << "choosing an item opened no dialog";
    EXPECT_EQ(TextOf(dialog), "Menu Items ...");
    EXPECT_NE(Find(ChildrenOf(dialog), "Static", "Enter new caption ..."), nullptr);
    HWND edit = GetDlgItem(dialog, 100);
    EXPECT_EQ(TextOf(edit), "&Copy Icon to clipboard");

    // The whole text is selected: typing replaces it.
    ASSERT_TRUE(TypeText("Grab &it "));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitGone(dialog));

    dialog = ChooseFirstMenuItem(program, button, {70, 15});
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 100)), "Grab &it ") << "the menu shows the new caption, as typed";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitGone(dialog));

    ASSERT_TRUE(BringToFront(window));
    ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save"));
    WaitForFirstSave(profile);
    EXPECT_EQ(ProfileValue(profile, "Menu", "Copy"), "Grab &it");  // the store drops trailing blanks
    EXPECT_EQ(ProfileValue(profile, "Menu", "Icon"), "Save Icon as *.&ICO ...");

    EXPECT_EQ(program.Close(window), 0);
}

TEST(EditorsE2E, AColourChosenInTheRealDialogShowsInThePreviewAndCancelTakesItBack) {
    const TempFolder folder;
    const std::string profile = folder / "colour.ini";
    Program program("\"" + profile + "\"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));
    HWND preview = nullptr;
    for (const Child& c : ChildrenOf(window))
        if (c.className == "TScrollBox") preview = c.hwnd;
    ASSERT_NE(preview, nullptr);
    RECT box{};
    GetWindowRect(preview, &box);
    // A point of the box beside the icon.
    const POINT spot{box.right - 20, (box.top + box.bottom) / 2};
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    WaitUntil([&] { return ScreenPixel(spot) == desktop; }, 3000);
    EXPECT_EQ(ScreenPixel(spot), desktop) << "no colour chosen: the desktop colour";

    ClickAt(spot.x, spot.y);
    HWND dialog = WaitForBox(program.ProcessId());
    ASSERT_NE(dialog, nullptr) << "a click on the preview opened no colour dialog";
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 706)), std::to_string(GetRValue(desktop)));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 707)), std::to_string(GetGValue(desktop)));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 708)), std::to_string(GetBValue(desktop)));
    RECT d{};
    GetWindowRect(dialog, &d);
    EXPECT_EQ(d.left, (GetSystemMetrics(SM_CXSCREEN) - (d.right - d.left)) / 2);
    EXPECT_EQ(d.top, (GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top)) / 3);

    // The red, green and blue boxes show once the dialog is widened.
    HWND widen = GetDlgItem(dialog, 719);
    if (widen && IsWindowVisible(widen) && IsWindowEnabled(widen)) {
        ClickCentre(widen);
        WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, 706)); });
    }
    const std::pair<int, const char*> values[] = {{706, "10"}, {707, "200"}, {708, "30"}};
    for (const auto& [id, value] : values) {
        ClickCentre(GetDlgItem(dialog, id));
        PressKey(VK_END);
        PressKey(VK_HOME, true);
        ASSERT_TRUE(TypeText(value));
    }
    ClickCentre(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitGone(dialog));
    WaitUntil([&] { return ScreenPixel(spot) == RGB(10, 200, 30); });
    EXPECT_EQ(ScreenPixel(spot), RGB(10, 200, 30));

    ASSERT_TRUE(BringToFront(window));
    HWND save = Find(ChildrenOf(window), "TSpeedButton", "Save");
    ClickCentre(save);
    WaitForFirstSave(profile);
    EXPECT_EQ(ProfileValue(profile, "Options", "Color"), "$1EC80A");

    // Cancelled: back to no colour chosen, which a save writes as no colour.
    GetWindowRect(preview, &box);
    ClickAt(box.left + 20, box.top + 10);  // on the icon this time
    dialog = WaitForBox(program.ProcessId());
    ASSERT_NE(dialog, nullptr) << "a click on the icon opened no colour dialog";
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 706)), "10");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitGone(dialog));
    WaitUntil([&] { return ScreenPixel(spot) == desktop; });
    EXPECT_EQ(ScreenPixel(spot), desktop);
    ASSERT_TRUE(BringToFront(window));
    ClickCentre(save);
    WaitUntil([&] { return ProfileValue(profile, "Options", "Color") == ""; });
    EXPECT_EQ(ProfileValue(profile, "Options", "Color"), "");

    EXPECT_EQ(program.Close(window), 0);
}

TEST(EditorsE2E, TheAboutHeadingShowsTheFirstSixAboutLinesInABox) {
    Program program;
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));
    auto children = ChildrenOf(window);
    HWND memo = nullptr;
    for (const Child& c : children)
        if (c.className == "Edit" && c.text.rfind("Copyright", 0) == 0) memo = c.hwnd;
    ASSERT_NE(memo, nullptr) << "the About memo";
    const char lines[] = "\r\nGlimsel, 100%% free\r\n  by us\r\n4\r\n5\r\n6\r\n7";
    SendMessageA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lines));

    ClickCentre(Find(children, "TSpeedButton", "About         "));
    HWND box = WaitForBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "the About heading showed no box";
    EXPECT_EQ(TextOf(box), "Glimsel - Configuration");
    EXPECT_EQ(BoxText(box), "\r\nGlimsel, 100% free" + std::string(13, ' ') + "\r\n  by us\r\n4\r\n5\r\n6\r\n");
    EXPECT_FALSE(GetDlgItem(box, IDCANCEL) && IsWindowVisible(GetDlgItem(box, IDCANCEL))) << "only OK";
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(box));

    EXPECT_EQ(program.Close(window), 0);
}

}  // namespace
