// End to end: the built program is started as a user would start it, found
// by its caption and driven from this process with real input.

#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

TEST(Program, ShowsItsWindowWithDefaultsAndExitEndsIt) {
    Program program;
    ASSERT_TRUE(program.Started()) << ProgramPath();
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no visible window of class TForm1";

    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    EXPECT_STREQ(cls, "TForm1");
    auto children = ChildrenOf(window);
    EXPECT_NE(Find(children, "Edit", "Glimsel"), nullptr);
    EXPECT_NE(Find(children, "Edit", "Save Icon as ..."), nullptr);
    EXPECT_NE(Find(children, "Edit", "ics"), nullptr);
    EXPECT_NE(Find(children, "Static", "App. Title"), nullptr);
    HWND check2 = Find(children, "Button", "Add filenames to application title");
    ASSERT_NE(check2, nullptr);
    EXPECT_EQ(SendMessageA(check2, BM_GETCHECK, 0, 0), BST_CHECKED);
    HWND check1 = Find(children, "Button", "Allow the user to edit the file mask");
    ASSERT_NE(check1, nullptr);
    EXPECT_EQ(SendMessageA(check1, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    HWND exit = Find(children, "TSpeedButton", "Exit");
    ASSERT_NE(exit, nullptr);
    BringToFront(window);
    ClickCentre(exit);
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(Program, CloseBoxEndsItLikeExit) {
    Program program("\"C:\\no such folder\\brand.ini\" ignored");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Nothing unsaved: the window closes at once.
    BringToFront(window);
    // The close box sits at the right end of the title bar.
    TITLEBARINFO info{sizeof info};
    RECT bar{};
    if (GetTitleBarInfo(window, &info) && !IsRectEmpty(&info.rcTitleBar)) {
        bar = info.rcTitleBar;
    } else {
        GetWindowRect(window, &bar);
        bar.top += GetSystemMetrics(SM_CYFIXEDFRAME);
        bar.bottom = bar.top + GetSystemMetrics(SM_CYCAPTION);
    }
    ClickAt(bar.right - GetSystemMetrics(SM_CXSIZE) / 2 - 1, (bar.top + bar.bottom) / 2);
    long code = program.WaitForExit(10000);
    if (code == -1) {
        ADD_FAILURE() << "a click on the close box did not end the program";
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        code = program.WaitForExit();
    }
    EXPECT_EQ(code, 0);
}

// A DLL of a system DLL's name left beside the program (in a downloads
// folder, say) is never loaded: a screen reader's first question loads
// oleacc.dll from the system folder. Wine looks beside the program first, as
// Windows does, only for a DLL that it is told to prefer in its native form.
TEST(Program, ADllLeftBesideItIsNeverLoaded) {
    char overrides[256] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") &&
        std::string(overrides).find("oleacc=n") == std::string::npos)
        GTEST_SKIP() << "under Wine only with oleacc=n,b in WINEDLLOVERRIDES (tools/wine-run.sh sets it)";
    TempFolder folder;
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (folder / "glimcfg.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BuildFolder() + "..\\planted\\oleacc.dll").c_str(), (folder / "oleacc.dll").c_str(), FALSE));
    Program program({}, folder / "glimcfg.exe");
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    HWND exit = Find(ChildrenOf(window), "TSpeedButton", "Exit");
    ASSERT_NE(exit, nullptr);
    DWORD_PTR object = 0;
    SendMessageTimeoutA(exit, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_BLOCK, 5000, &object);
    EXPECT_NE(object, 0u) << "the screen reader is answered";
    EXPECT_EQ(GetFileAttributesA((folder / "oleacc.loaded").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the DLL beside the program was loaded";
    EXPECT_EQ(program.Close(window), 0);
}

}  // namespace
