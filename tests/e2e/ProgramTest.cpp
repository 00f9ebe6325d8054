// End to end: the built program is started as a user would start it, found
// by its caption and driven from this process with real input.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Win.h"

namespace {

constexpr char kCaption[] = "Glimsel - Configuration";

std::string ProgramPath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + "glimcfg.exe";
}

std::string TextOf(HWND hwnd) {
    char buffer[1024] = {};
    // WM_GETTEXT, not GetWindowText: across processes only the message reads
    // what an edit control holds.
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                        nullptr);
    return buffer;
}

struct Child {
    HWND hwnd;
    std::string className;
    std::string text;
};

std::vector<Child> ChildrenOf(HWND parent) {
    std::vector<Child> children;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            reinterpret_cast<std::vector<Child>*>(lp)->push_back({hwnd, cls, TextOf(hwnd)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND Find(const std::vector<Child>& children, const std::string& className, const std::string& text) {
    for (const Child& c : children)
        if (c.className == className && c.text == text) return c.hwnd;
    return nullptr;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    Sleep(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(50);
    SendInput(1, &input[1], sizeof(INPUT));
}

void ClickCentre(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class Program {
public:
    explicit Program(const std::string& arguments = {}) {
        std::string command = "\"";
        command += ProgramPath();
        command += "\"";
        if (!arguments.empty()) command += " " + arguments;
        STARTUPINFOA si{sizeof si};
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool Started() const { return started_; }

    // The program's window, once it is visible.
    HWND WaitForWindow(DWORD timeoutMs = 20000) {
        for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
            HWND hwnd = FindWindowA(nullptr, kCaption);
            if (hwnd && IsWindowVisible(hwnd)) return hwnd;
            if (WaitForSingleObject(pi_.hProcess, 100) != WAIT_TIMEOUT) return nullptr;
        }
        return nullptr;
    }

    // The exit code, or -1 when the program is still running after the timeout.
    long WaitForExit(DWORD timeoutMs = 15000) {
        if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

TEST(Program, ShowsItsWindowWithDefaultsAndExitEndsIt) {
    Program program;
    ASSERT_TRUE(program.Started()) << ProgramPath();
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no visible window captioned " << kCaption;

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
    SetForegroundWindow(window);
    ClickCentre(exit);
    EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(Program, CloseBoxEndsItLikeExit) {
    Program program("\"C:\\no such folder\\brand.ini\" ignored");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Typing something first: closing asks nothing and saves nothing.
    auto children = ChildrenOf(window);
    HWND edit = Find(children, "Edit", "Glimsel");
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));

    SetForegroundWindow(window);
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

}  // namespace
