// End to end: Save as through the real save dialog and the real questions,
// with the companion viewer copied and started; and a save that the file
// refuses, its stop box read from this process.
//
// The program runs from a folder of its own, a copy of the build's, with a
// stand-in viewer beside it as glimview.exe: the stand-in leaves a mark when
// it starts.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

std::string BuildFolder() {
    const std::string program = ProgramPath();
    return program.substr(0, program.find_last_of('\\') + 1);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Profile(const std::string& path, const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, path.c_str());
    return value;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (done()) return true;
        Sleep(100);
    }
    return done();
}

// A new folder under the temporary folder, removed with what it holds.
class Folder {
public:
    explicit Folder(const std::string& name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + " " + std::to_string(std::random_device()()) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~Folder() {
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
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string operator/(const std::string& name) const { return path_ + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// glimcfg.exe started from a folder of its own, in a given current folder.
class CopiedProgram {
public:
    CopiedProgram(const Folder& bin, const std::string& arguments, const std::string& currentFolder) {
        std::string command = "\"" + (bin / "glimcfg.exe") + "\" " + arguments;
        STARTUPINFOA si{sizeof si};
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  currentFolder.c_str(), &si, &pi_);
    }
    ~CopiedProgram() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD ProcessId() const { return pi_.dwProcessId; }

    // The window once its caption names the loaded profile.
    HWND WaitForWindow(const std::string& caption) {
        HWND window = nullptr;
        WaitFor(
            [&] {
                window = FindWindowA("TForm1", caption.c_str());
                return window && ProcessIdOf(window) == pi_.dwProcessId && IsWindowVisible(window);
            },
            20000);
        return window && ProcessIdOf(window) == pi_.dwProcessId ? window : nullptr;
    }

    long Close(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 15000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

// A top-level dialog of the process with the given title.
HWND WaitForDialog(DWORD pid, const std::string& title, DWORD timeoutMs = 15000) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowA("#32770", title.c_str());
            return found && ProcessIdOf(found) == pid && IsWindowVisible(found);
        },
        timeoutMs);
    return found && ProcessIdOf(found) == pid ? found : nullptr;
}

// Answers the box showing now: its text, then the button pressed.
std::string Answer(DWORD pid, int button) {
    HWND box = WaitForBox(pid);
    if (!box) return "<no box>";
    const std::string text = BoxText(box);
    PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(box); }, 5000);
    return text;
}

void Bring(HWND window) {
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
    Sleep(200);
}

void TypeText(const std::string& text) {
    for (char c : text) PressKey(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
}

const char kBrand[] =
    "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save it\r\n"
    "[Options]\r\nHome=http://example.org\r\nDefault=bmp\r\nEditMask=1\r\nShowFileNames=0\r\nColor=$0000FF\r\n"
    "[Menu]\r\nCopy=&Copy it\r\n"
    "[Extensions]\r\nE1=*.ico\r\nE2=*.cur\r\n"
    "[Dialogs]\r\nL1=Brand\r\nL2=>  indented\r\n";

class FileCommandsE2E : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (bin / "glimcfg.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((BuildFolder() + "viewer_standin.exe").c_str(), (bin / "glimview.exe").c_str(), FALSE));
        WriteAll(brand, kBrand);
    }

    Folder bin{"glimsel e2e bin"};
    Folder work{"glimsel e2e brand"};
    std::string brand = work / "brand.ini";
};

// The road of a typical session: a mask changed, Save as "gift", Yes twice.
TEST_F(FileCommandsE2E, SaveAsWritesTheProfileCopiesTheViewerAndStartsTheCopy) {
    CopiedProgram program(bin, "\"" + brand + "\"", work.Path());
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow("Glimsel - Configuration : brand.ini");
    ASSERT_NE(window, nullptr);
    HWND masks = Find(ChildrenOf(window), "Edit", "*.ico\r\n*.cur\r\n");
    ASSERT_NE(masks, nullptr);
    SendMessageA(masks, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.ico\r\n*.ani\r\n"));

    Bring(window);
    ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save as"));
    HWND dialog = WaitForDialog(program.ProcessId(), "Save configuration file as ...");
    ASSERT_NE(dialog, nullptr) << "Save as showed no save dialog";
    Bring(dialog);
    TypeText("gift");
    EXPECT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(dialog, 0x47C)) == "gift"; }, 3000))
        << "typed, the name box holds \"" << TextOf(GetDlgItem(dialog, 0x47C)) << "\"";
    PressKey(VK_RETURN);

    EXPECT_EQ(Answer(program.ProcessId(), IDYES), "Copy and rename GLIMVIEW.EXE too ?");
    const std::string gift = work / "gift";
    EXPECT_EQ(Answer(program.ProcessId(), IDYES), "Test " + gift + ".exe?");

    // The copy ran, leaving its mark; it ends by itself, or is ended here.
    const std::string mark = gift + ".started";
    EXPECT_TRUE(WaitFor([&] { return !ReadAll(mark).empty(); }, 20000)) << "the copy was not started";
    const std::string started = ReadAll(mark);
    if (!started.empty()) {
        HANDLE viewer = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, std::stoul(started));
        if (viewer) {
            if (WaitForSingleObject(viewer, 10000) == WAIT_TIMEOUT) TerminateProcess(viewer, 99);
            CloseHandle(viewer);
        }
    }
    EXPECT_NE(started.find("gift.exe"), std::string::npos) << started;
    EXPECT_EQ(ReadAll(gift + ".exe"), ReadAll(bin / "glimview.exe"));

    EXPECT_EQ(Profile(gift + ".ini", "Extensions", "E1"), "*.ico");
    EXPECT_EQ(Profile(gift + ".ini", "Extensions", "E2"), "*.ani");
    EXPECT_EQ(Profile(gift + ".ini", "Captions", "Title"), "Brand Viewer");
    EXPECT_EQ(Profile(gift + ".ini", "Options", "Color"), "$0000FF");
    EXPECT_EQ(Profile(gift + ".ini", "Options", "ShowFileNames"), "0");
    EXPECT_EQ(Profile(gift + ".ini", "Menu", "Copy"), "&Copy it");
    EXPECT_EQ(Profile(gift + ".ini", "Dialogs", "L2"), ">  indented");
    EXPECT_EQ(ReadAll(brand), kBrand) << "the loaded profile is not touched";
    EXPECT_EQ(TextOf(window), "Glimsel - Configuration : brand.ini");

    EXPECT_EQ(program.Close(window), 0);
}

// Save as "brand" beside an existing brand.ini: the dialog sees no file of
// that name, the program asks before the ".ini" name is replaced. No keeps
// the file; Yes writes it and goes on to the copy question.
TEST_F(FileCommandsE2E, SaveAsAsksBeforeReplacingTheIniFile) {
    CopiedProgram program(bin, "\"" + brand + "\"", work.Path());
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow("Glimsel - Configuration : brand.ini");
    ASSERT_NE(window, nullptr);
    HWND title = Find(ChildrenOf(window), "Edit", "Brand Viewer");
    ASSERT_NE(title, nullptr);
    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Edited"));

    const std::string question = brand + " already exists.\r\nDo you want to replace it?";
    for (const int reply : {IDNO, IDYES}) {
        SCOPED_TRACE(reply == IDYES ? "Yes" : "No");
        Bring(window);
        ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save as"));
        HWND dialog = WaitForDialog(program.ProcessId(), "Save configuration file as ...");
        ASSERT_NE(dialog, nullptr) << "Save as showed no save dialog";
        SetDlgItemTextA(dialog, 0x47C, (work / "brand").c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));

        EXPECT_EQ(Answer(program.ProcessId(), reply), question);
        if (reply == IDNO) {
            EXPECT_EQ(ReadAll(brand), kBrand);
        } else {
            EXPECT_EQ(Answer(program.ProcessId(), IDNO), "Copy and rename GLIMVIEW.EXE too ?");
            EXPECT_EQ(Profile(brand, "Captions", "Title"), "Edited");
        }
        EXPECT_EQ(WaitForBox(program.ProcessId(), 500), nullptr) << "no further box";
    }
    EXPECT_EQ(GetFileAttributesA((work / "brand").c_str()), INVALID_FILE_ATTRIBUTES) << "the name as typed";
    EXPECT_EQ(program.Close(window), 0);
}

// Save onto a profile that cannot be written: the stop box names it, the
// file stays as it was and the window keeps the edit.
void SaveRefused(const Folder& bin, const Folder& work, const std::string& brand,
                 const std::function<void()>& refuse) {
    CopiedProgram program(bin, "\"" + brand + "\"", work.Path());
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow("Glimsel - Configuration : brand.ini");
    ASSERT_NE(window, nullptr);
    HWND title = Find(ChildrenOf(window), "Edit", "Brand Viewer");
    ASSERT_NE(title, nullptr);
    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Edited"));
    refuse();

    Bring(window);
    ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save"));
    HWND box = WaitForBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "no stop box";
    EXPECT_EQ(BoxText(box), "Unable to write to " + brand);
    EXPECT_EQ(TextOf(box), "Glimsel - Configuration");
    EXPECT_FALSE(GetDlgItem(box, IDNO)) << "a stop box asks nothing";
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(box); }, 5000);

    EXPECT_EQ(TextOf(title), "Edited");
    EXPECT_EQ(program.Close(window), 0);
}

TEST_F(FileCommandsE2E, SaveOntoAReadOnlyProfileShowsTheStopBox) {
    SetFileAttributesA(brand.c_str(), FILE_ATTRIBUTE_READONLY);
    SaveRefused(bin, work, brand, [] {});
    EXPECT_EQ(ReadAll(brand), kBrand);
}

TEST_F(FileCommandsE2E, SaveOntoAProfileHeldOpenShowsTheStopBox) {
    HANDLE held = INVALID_HANDLE_VALUE;
    SaveRefused(bin, work, brand, [&] {
        held = CreateFileA(brand.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
    });
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(ReadAll(brand), kBrand);
}

}  // namespace
