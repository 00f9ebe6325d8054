#pragma once
// Drives the built program from another process, as a user would: starts it,
// finds its windows by caption and class, reads them across the process
// boundary, and clicks and types with real input.

#include <functional>
#include <string>
#include <vector>

#include "forms/Paths.h"
#include "forms/Win.h"

namespace e2e {

// The folder of the build's programs, with its "\".
inline std::string BuildFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return forms::FolderOf(self);
}

// The program under test: the build's, or the one GLIM_PROGRAM names (the
// release archive's, unpacked).
inline std::string ProgramPath() {
    char named[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("GLIM_PROGRAM", named, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(named) : BuildFolder() + "glimcfg.exe";
}

inline std::string TextOf(HWND hwnd) {
    char buffer[1024] = {};
    // WM_GETTEXT, not GetWindowText: across processes only the message reads
    // what an edit control holds.
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000, nullptr);
    return buffer;
}

struct Child {
    HWND hwnd;
    std::string className;
    std::string text;
};

inline std::vector<Child> ChildrenOf(HWND parent) {
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

inline HWND Find(const std::vector<Child>& children, const std::string& className, const std::string& text) {
    for (const Child& c : children)
        if (c.className == className && c.text == text) return c.hwnd;
    return nullptr;
}

inline void ClickAt(int x, int y) {
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

inline void ClickCentre(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A new folder under the temporary folder, removed with all it holds when the
// test ends, whether it passed or failed.
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "glimsel e2e") {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
            path_ = std::string(temp) + name + " " + std::to_string(n) + "\\";
            if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string file = path_ + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path_ + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Checks done() every 50 ms until it holds or the time is up; whether it holds.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > end) return done();
        Sleep(50);
    }
    return true;
}

// The program, started as a user would start it: by default the build's
// glimcfg.exe in this process's current folder. It is ended when the test
// ends, whether it passed or failed.
class Program {
public:
    explicit Program(const std::string& arguments = {}, const std::string& program = ProgramPath(),
                     const std::string& currentFolder = {}) {
        std::string command = "\"" + program + "\"";
        if (!arguments.empty()) command += " " + arguments;
        STARTUPINFOA si{sizeof si};
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  currentFolder.empty() ? nullptr : currentFolder.c_str(), &si, &pi_);
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool Started() const { return started_; }
    DWORD ProcessId() const { return pi_.dwProcessId; }

    // The program's visible window (class TForm1); given a caption, once the
    // window bears it (a profile is loaded just after the window shows).
    HWND WaitForWindow(const std::string& caption = {}, DWORD timeoutMs = 20000) {
        HWND window = nullptr;
        WaitUntil(
            [&] {
                window = nullptr;
                for (HWND hwnd = FindWindowExA(nullptr, nullptr, "TForm1", nullptr); hwnd && !window;
                     hwnd = FindWindowExA(nullptr, hwnd, "TForm1", nullptr)) {
                    DWORD pid = 0;
                    GetWindowThreadProcessId(hwnd, &pid);
                    if (pid == pi_.dwProcessId && IsWindowVisible(hwnd)) window = hwnd;
                }
                return (window && (caption.empty() || TextOf(window) == caption)) ||
                       WaitForSingleObject(pi_.hProcess, 0) != WAIT_TIMEOUT;
            },
            timeoutMs);
        return window && (caption.empty() || TextOf(window) == caption) ? window : nullptr;
    }

    // The exit code, or -1 when the program is still running after the timeout.
    long WaitForExit(DWORD timeoutMs = 15000) {
        if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

    // Closes the window as its close box does, giving up unsaved edits when
    // the program asks about them; the exit code.
    long Close(HWND window);

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

// The process id of the running program.
inline DWORD ProcessIdOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// A visible top-level window of the given class and process, waiting for it
// (a timeout of 0 looks once).
inline HWND WaitForClass(DWORD pid, const char* className, DWORD timeoutMs = 10000) {
    struct Search {
        DWORD pid;
        const char* className;
        HWND found = nullptr;
    };
    for (DWORD waited = 0;; waited += 100) {
        Search search{pid, className};
        EnumWindows(
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                char cls[32] = {};
                GetClassNameA(hwnd, cls, sizeof cls);
                if (std::string(cls) == s->className && IsWindowVisible(hwnd) && ProcessIdOf(hwnd) == s->pid) {
                    s->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= timeoutMs) return search.found;
        Sleep(100);
    }
}

// A message box or dialog (#32770) of the process, waiting for it.
inline HWND WaitForBox(DWORD pid, DWORD timeoutMs = 10000) { return WaitForClass(pid, "#32770", timeoutMs); }

// The open popup menu (#32768) of the process, waiting for it.
inline HWND WaitForMenu(DWORD pid, DWORD timeoutMs = 10000) { return WaitForClass(pid, "#32768", timeoutMs); }

// The text of a message box: its static control 65535.
inline std::string BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

inline long Program::Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    WaitUntil([&] {
        box = WaitForBox(ProcessId(), 0);
        return box || WaitForSingleObject(pi_.hProcess, 0) != WAIT_TIMEOUT;
    });
    if (box && BoxText(box).rfind("Save changes", 0) == 0) PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    return WaitForExit();
}

inline void PressKey(WORD key, bool shift = false) {
    std::vector<INPUT> input;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = flags;
        input.push_back(i);
    };
    if (shift) add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    for (INPUT& i : input) {
        SendInput(1, &i, sizeof(INPUT));
        Sleep(30);
    }
}

// Types text with the keyboard, shifted where the layout needs it.
inline bool TypeText(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) return false;
        PressKey(LOBYTE(scan), (scan & 0x100) != 0);
    }
    return true;
}

// Makes window the foreground window and waits until its own thread has
// taken the activation, so that the next keys go to it.
inline bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil(
        [window] {
            GUITHREADINFO info{sizeof info};
            return GetForegroundWindow() == window &&
                   GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndActive == window;
        },
        5000);
}

}  // namespace e2e
