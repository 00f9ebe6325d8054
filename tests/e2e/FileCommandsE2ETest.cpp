// End to end: Save as through the real save dialog and the real questions,
// with the companion viewer copied and started; and a save that the file
// refuses, its stop box read from this process.
//
// The program runs from a folder of its own, a copy of the build's, with a
// stand-in viewer beside it as glimview.exe: the stand-in leaves a mark when
// it starts.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/Driver.h"

using namespace e2e;

namespace {

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

// A top-level dialog of the process with the given title.
HWND WaitForDialog(DWORD pid, const std::string& title, DWORD timeoutMs = 15000) {
    HWND found = nullptr;
    WaitUntil(
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
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
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

    // The copy of the program, started in the profile's folder with the bare
    // name brand.ini, as from a command prompt there: its questions and
    // errors name the profile by its full path.
    Program Start() { return Program("brand.ini", bin / "glimcfg.exe", work.Path()); }

    // The window once it shows brand.ini, with the text of the edit that
    // holds `from` replaced by `to`; nullptr when either is not there.
    static HWND EditedWindow(Program& program, const char* from, const char* to) {
        HWND window = program.WaitForWindow("Glimsel - Configuration : brand.ini");
        HWND edit = window ? Find(ChildrenOf(window), "Edit", from) : nullptr;
        if (edit) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(to));
        return edit ? window : nullptr;
    }

    TempFolder bin{"glimsel e2e bin"};
    TempFolder work{"glimsel e2e brand"};
    std::string brand = work / "brand.ini";
};

// The road of a typical session: a mask changed, Save as "gift", Yes twice.
TEST_F(FileCommandsE2E, SaveAsWritesTheProfileCopiesTheViewerAndStartsTheCopy) {
    Program program = Start();
    ASSERT_TRUE(program.Started());
    HWND window = EditedWindow(program, "*.ico\r\n*.cur\r\n", "*.ico\r\n*.ani\r\n");
    ASSERT_NE(window, nullptr);

    BringToFront(window);
    ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save as"));
    HWND dialog = WaitForDialog(program.ProcessId(), "Save configuration file as ...");
    ASSERT_NE(dialog, nullptr) << "Save as showed no save dialog";
    BringToFront(dialog);
    ASSERT_TRUE(TypeText("gift"));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, 0x47C)) == "gift"; }, 3000))
        << "typed, the name box holds \"" << TextOf(GetDlgItem(dialog, 0x47C)) << "\"";
    PressKey(VK_RETURN);

    EXPECT_EQ(Answer(program.ProcessId(), IDYES), "Copy and rename GLIMVIEW.EXE too ?");
    const std::string gift = work / "gift";
    EXPECT_EQ(Answer(program.ProcessId(), IDYES), "Test " + gift + ".exe?");

    // The copy ran, leaving its mark; it ends by itself, or is ended here.
    const std::string mark = gift + ".started";
    EXPECT_TRUE(WaitUntil([&] { return !ReadAll(mark).empty(); }, 20000)) << "the copy was not started";
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
    Program program = Start();
    ASSERT_TRUE(program.Started());
    HWND window = EditedWindow(program, "Brand Viewer", "Edited");
    ASSERT_NE(window, nullptr);

    const std::string question = brand + " already exists.\r\nDo you want to replace it?";
    for (const int reply : {IDNO, IDYES}) {
        SCOPED_TRACE(reply == IDYES ? "Yes" : "No");
        BringToFront(window);
        ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save as"));
        HWND dialog = WaitForDialog(program.ProcessId(), "Save configuration file as ...");
        ASSERT_NE(dialog, nullptr) << "Save as showed no save dialog";
        SetDlgItemTextA(dialog, 0x47C, (work / "brand").c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));

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

// Exit with an unsaved edit asks first: Cancel keeps the window and the
// profile as they are, Yes saves the edit and ends the program.
TEST_F(FileCommandsE2E, ExitAsksAboutAnUnsavedEditAndYesSavesIt) {
    Program program = Start();
    ASSERT_TRUE(program.Started());
    HWND window = EditedWindow(program, "Brand Viewer", "Edited");
    ASSERT_NE(window, nullptr);
    const std::string question = "Save changes to " + brand + "?";
    for (const int answer : {IDCANCEL, IDYES}) {
        BringToFront(window);
        ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Exit"));
        EXPECT_EQ(Answer(program.ProcessId(), answer), question);
        if (answer == IDCANCEL) {
            EXPECT_TRUE(IsWindowVisible(window));
            EXPECT_EQ(ReadAll(brand), kBrand);
        }
    }
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(Profile(brand, "Captions", "Title"), "Edited");
}

// Save onto a profile that cannot be written: the real stop box names it,
// the file stays as it was and the window keeps the edit.
TEST_F(FileCommandsE2E, SaveOntoAReadOnlyProfileShowsTheStopBox) {
    SetFileAttributesA(brand.c_str(), FILE_ATTRIBUTE_READONLY);
    Program program = Start();
    ASSERT_TRUE(program.Started());
    HWND window = EditedWindow(program, "Brand Viewer", "Edited");
    ASSERT_NE(window, nullptr);

    BringToFront(window);
    ClickCentre(Find(ChildrenOf(window), "TSpeedButton", "Save"));
    HWND box = WaitForBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "no stop box";
    EXPECT_EQ(BoxText(box), "Unable to write to " + brand);
    EXPECT_EQ(TextOf(box), "Glimsel - Configuration");
    EXPECT_FALSE(GetDlgItem(box, IDNO)) << "a stop box asks nothing";
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);

    EXPECT_NE(Find(ChildrenOf(window), "Edit", "Edited"), nullptr) << "the window keeps the edit";
    EXPECT_EQ(program.Close(window), 0);
    EXPECT_EQ(ReadAll(brand), kBrand);
}

}  // namespace
