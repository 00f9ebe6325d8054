// Open, Save and Save as on the real window. The file dialogs, the boxes,
// the copy and the program start are answered and recorded through their
// entry points (the copy really runs, from a stand-in viewer); one test goes
// through the real save dialog and boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/Form1.h"
#include "app/StringTable.h"
#include "app/res/resource.h"
#include "forms/Format.h"
#include "forms/Paths.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/ImportHook.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

using namespace forms;
using namespace testutil;
using forms::FolderOf;
using profiletest::ReadBytes;
using profiletest::TempFolder;
using profiletest::WriteBytes;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// As the dialog gets it: each entry ends with a NUL, and an empty one ends the list.
const std::string kFilterBuffer("Configuration files (*.ini)\0*.ini\0All files (*.*)\0*.*\0\0", 55);
constexpr char kCopyQuestion[] = "Copy and rename GLIMVIEW.EXE too ?";

const char kBrand[] =
    "[Captions]\r\nTitle=Brand Viewer\r\nDialog=Save the icon\r\n"
    "[Options]\r\nHelpFile=brand.hlp\r\nDefault=ico\r\nEditMask=1\r\nShowFileNames=0\r\nColor=$00FF00\r\n"
    "[Menu]\r\nCopy=&Copy it\r\n"
    "[Extensions]\r\nE1=*.ico\r\nE2=*.cur\r\n"
    "[Dialogs]\r\nL1=Brand\r\nL2=>  indented\r\n";

struct Copy {
    std::string from, to;
    BOOL failIfExists;
};

struct Start {
    HWND owner;
    bool verb, parameters, directory;
    std::string file;
    int show;
};

class FileCommandsTest : public Form1Fixture {
protected:
    // replies: the answers of the boxes, the question about unsaved edits first.
    void Open(const std::string& file, std::vector<int> replies = {}) {
        openDialog.chosen = file;
        answers = std::move(replies);
        Click(form->OpenBtn);
    }
    void SaveAs(const std::string& typed, std::vector<int> replies = {IDNO}) {
        saveDialog.chosen = typed;
        answers = std::move(replies);
        Click(form->SaveAsBtn);
    }
    std::string Profile(const std::string& path, const char* section, const char* key) {
        return profiletest::Read(path, section, key, "<missing>");
    }
    // The companion viewer beside the program, as the copy finds it: a
    // stand-in file of known bytes, taken in its place by the copy.
    std::string CompanionPath() const { return FolderOf(Application->ExeName()) + "glimview.exe"; }
    void StandInCompanion() {
        companion = companionFolder.File("glimview.exe");
        WriteBytes(companion, kCompanionBytes);
    }

    // The window's visible state, to show that a command left it alone.
    std::string Snapshot() const {
        return form->Text() + "|" + form->Edit1->Text() + "|" + form->Edit3->Text() + "|" + form->Memo1->Text() + "|" +
               form->Memo2->Text() + "|" + std::to_string(form->ScrollBox1->Color()) + "|" +
               form->Copytoclipboard1->Caption();
    }

    static constexpr char kCompanionBytes[] = "stand-in viewer";

    TempFolder folder;
    TempFolder companionFolder;
    std::string companion;

    std::vector<int> answers;  // the next boxes' answers, in turn; then OK
    std::vector<Copy> copies;
    std::vector<Start> starts;

    FileDialogStandIn openDialog{&Services::GetOpenFileNameA};
    FileDialogStandIn saveDialog{&Services::GetSaveFileNameA};
    MessageBoxRecorder boxes{[this](const Box&) {
        if (answers.empty()) return IDOK;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }};
    ServiceOverride<std::function<BOOL(const char*, const char*, BOOL)>> copyFile{
        &Services::CopyFileA, [this](const char* from, const char* to, BOOL failIfExists) {
            copies.push_back({from, to, failIfExists});
            const bool standIn = !companion.empty() && from == CompanionPath();
            return CopyFileA(standIn ? companion.c_str() : from, to, failIfExists);
        }};
    ServiceOverride<std::function<HINSTANCE(HWND, const char*, const char*, const char*, const char*, int)>> start{
        &Services::ShellExecuteA, [this](HWND owner, const char* verb, const char* file, const char* parameters,
                                         const char* directory, int show) {
            starts.push_back({owner, verb != nullptr, parameters != nullptr, directory != nullptr, file, show});
            return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
        }};
};

// ---- Open and Save -------------------------------------------------------------

TEST_F(FileCommandsTest, OpenShowsItsDialogAndLoadsTheChosenFile) {
    const std::string brand = folder.File("brand.ini");
    WriteBytes(brand, kBrand);
    Open(brand);
    EXPECT_EQ(openDialog.calls, 1);
    EXPECT_EQ(openDialog.request.title, "Open configuration file ...");
    EXPECT_EQ(openDialog.request.filter, kFilterBuffer);
    EXPECT_EQ(openDialog.request.filterIndex, 1u);
    EXPECT_EQ(openDialog.request.defaultExt, "ini");
    EXPECT_EQ(
        openDialog.request.flags & (OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT),
        DWORD(OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(form->Text(), "Glimsel - Configuration : brand.ini");
    EXPECT_EQ(form->Edit1->Text(), "Brand Viewer");

    // Cancelled: nothing changes; the dialog proposes the last choice.
    form->Edit1->SetText("edited");
    Open("", {IDNO});
    EXPECT_EQ(openDialog.request.initialFile, brand);
    EXPECT_EQ(form->Edit1->Text(), "edited");
    EXPECT_EQ(boxes.Texts(), Lines{"Save changes?"}) << "only the question about the unsaved edit";
}

TEST_F(FileCommandsTest, SaveWithoutAnArgumentWritesNothingAnywhere) {
    const std::string brand = folder.File("brand.ini");
    WriteBytes(brand, kBrand);
    Open(brand);
    ASSERT_EQ(form->Text(), "Glimsel - Configuration : brand.ini");
    form->Edit1->SetText("edited");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const auto before = fs::last_write_time(current);

    Click(form->SpeedButton3);
    EXPECT_EQ(ReadBytes(brand), kBrand);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    EXPECT_EQ(fs::last_write_time(current), before) << "nothing created in the current folder";
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(saveDialog.calls, 0);
}

TEST_F(FileCommandsTest, SaveAfterOpenWritesTheCommandLineProfileOnly) {
    const std::string main = folder.File("main.ini");
    const std::string brand = folder.File("brand.ini");
    WriteBytes(main, "[Captions]\r\nTitle=Main\r\n[Other]\r\nx=kept\r\n");
    WriteBytes(brand, kBrand);
    form->CommandLineProfile = main;
    Open(brand);
    form->Edit1->SetText("Edited");
    const std::string before = Snapshot();

    Click(form->SpeedButton3);
    EXPECT_EQ(ReadBytes(brand), kBrand) << "the opened file is not touched";
    EXPECT_EQ(Profile(main, "Captions", "Title"), "Edited");
    EXPECT_EQ(Profile(main, "Captions", "Dialog"), "Save the icon") << "the opened file's values";
    EXPECT_EQ(Profile(main, "Options", "Color"), "$00FF00");
    EXPECT_EQ(Profile(main, "Options", "EditMask"), "1");
    EXPECT_EQ(Profile(main, "Options", "ShowFileNames"), "0");
    EXPECT_EQ(Profile(main, "Menu", "Copy"), "&Copy it");
    EXPECT_EQ(Profile(main, "Menu", "Icon"), "2");
    EXPECT_EQ(Profile(main, "Dialogs", "L2"), ">  indented");
    EXPECT_EQ(Profile(main, "Other", "x"), "kept");
    EXPECT_EQ(Snapshot(), before) << "the caption keeps naming the opened file";
    EXPECT_EQ(boxes.Count(), 0);

    // Save as writes its own file once; Save goes on writing the first one.
    SaveAs(folder.File("gift"), {IDNO});
    form->Edit1->SetText("After");
    Click(form->SpeedButton3);
    EXPECT_EQ(Profile(main, "Captions", "Title"), "After");
    EXPECT_EQ(Profile(folder.File("gift.ini"), "Captions", "Title"), "Edited");
}

TEST_F(FileCommandsTest, SaveCreatesAMissingProfileFromTheControls) {
    const std::string fresh = folder.File("fresh.ini");
    form->CommandLineProfile = fresh;
    form->Memo1->SetText("*.ico\r\n\r\n   \r\n*.exe\r\n");
    form->Memo2->SetText(">arrow\r\n  two\r\n");
    form->Edit3->SetText("C:\\Help\\viewer.hlp");
    form->ScrollBox1->SetColor(0x00C0C0C0);
    form->CheckBox1->SetChecked(true);

    Click(form->SpeedButton3);
    ASSERT_TRUE(fs::exists(fresh));
    EXPECT_EQ(Profile(fresh, "Captions", "Title"), "Glimsel");
    EXPECT_EQ(Profile(fresh, "Options", "Default"), "ics");
    EXPECT_EQ(Profile(fresh, "Options", "HelpFile"), "viewer.hlp");
    EXPECT_EQ(Profile(fresh, "Options", "Color"), "$C0C0C0");
    EXPECT_EQ(Profile(fresh, "Options", "EditMask"), "1");
    EXPECT_EQ(Profile(fresh, "Menu", "Background"), "Backgr&ound color ...");
    EXPECT_EQ(Profile(fresh, "Menu", "Help"), "&Help ...") << "the hidden item is saved too";
    // Blank lines are left out and the final line break makes no line.
    EXPECT_EQ(Profile(fresh, "Extensions", "E1"), "*.ico");
    EXPECT_EQ(Profile(fresh, "Extensions", "E2"), "*.exe");
    EXPECT_EQ(Profile(fresh, "Extensions", "E3"), "<missing>");
    EXPECT_EQ(Profile(fresh, "Dialogs", "L1"), ">>arrow");
    EXPECT_EQ(Profile(fresh, "Dialogs", "L2"), ">  two");
    EXPECT_EQ(Profile(fresh, "Dialogs", "L3"), "");

    // Loaded again, the window shows what it saved.
    form->Memo1->SetText("");
    form->Memo2->SetText("");
    Open(fresh, {IDNO});
    EXPECT_EQ(form->Memo1->Lines().ToVector(), (Lines{"*.ico", "*.exe"}));
    EXPECT_EQ(form->Memo2->Lines()[0], ">arrow");
    EXPECT_EQ(form->Memo2->Lines()[1], "  two");
}

// Every control holds a value of its own, so a save or a load that takes one
// control's value for another's key shows.
TEST_F(FileCommandsTest, EveryControlIsSavedToAndLoadedFromItsOwnKey) {
    struct Text {
        std::function<std::string()> get;
        std::function<void(const std::string&)> set;
        const char *section, *key;
        std::string value, stored;
    };
    auto edit = [](TEdit* e, const char* section, const char* key, std::string value, std::string stored = {}) {
        if (stored.empty()) stored = value;
        return Text{
            [e] { return e->Text(); }, [e](const std::string& v) { e->SetText(v); }, section, key, value, stored};
    };
    auto item = [](TMenuItem* m, const char* key, std::string value) {
        return Text{
            [m] { return m->Caption(); }, [m](const std::string& v) { m->SetCaption(v); }, "Menu", key, value, value};
    };
    glim::TForm1& f = *form;
    const std::vector<Text> texts = {
        edit(f.Edit1, "Captions", "Title", "title 1"),
        edit(f.Edit2, "Captions", "Dialog", "dialog 2"),
        edit(f.Edit3, "Options", "HelpFile", "C:\\Help\\help3.hlp", "help3.hlp"),
        edit(f.Edit4, "Options", "Home", "http://home4.example"),
        edit(f.Edit5, "Options", "Mail", "mail5@example.org"),
        edit(f.Edit6, "Options", "Open", "open6.ico"),
        edit(f.Edit7, "Options", "Default", "ex7"),
        item(f.Copytoclipboard1, "Copy", "copy m1"),
        item(f.Saveas1, "Icon", "icon m2"),
        item(f.SaveIconasBMP1, "Bitmap", "bitmap m3"),
        item(f.Setbackgroundcolor1, "Background", "background m4"),
        item(f.Internet1, "Homepage", "homepage m5"),
        item(f.EMail1, "EMail", "email m6"),
        item(f.Help1, "Help", "help m7"),
        item(f.About1, "About", "about m8"),
    };
    const std::string profile = folder.File("every.ini");

    // Save: each control's value under its own key.
    for (const Text& t : texts) t.set(t.value);
    f.CheckBox1->SetChecked(true);
    f.CheckBox2->SetChecked(false);
    f.ScrollBox1->SetColor(0x00123456);
    f.Memo1->SetText("*.m1\r\n*.m2\r\n");
    f.Memo2->SetText("about 1\r\nabout 2\r\n");
    form->CommandLineProfile = profile;
    Click(form->SpeedButton3);
    for (const Text& t : texts) EXPECT_EQ(Profile(profile, t.section, t.key), t.stored) << t.key;
    EXPECT_EQ(Profile(profile, "Options", "EditMask"), "1");
    EXPECT_EQ(Profile(profile, "Options", "ShowFileNames"), "0");
    EXPECT_EQ(Profile(profile, "Options", "Color"), "$123456");
    EXPECT_EQ(Profile(profile, "Extensions", "E2"), "*.m2");
    EXPECT_EQ(Profile(profile, "Dialogs", "L2"), "about 2");

    // Load: each key's value into its own control.
    std::map<std::string, std::string> sections = {
        {"Options", "EditMask=0\r\nShowFileNames=1\r\nColor=$654321\r\n"},
        {"Extensions", "E1=*.again\r\n"},
        {"Dialogs", "L1=again 1\r\nL2=again 2\r\n"},
    };
    for (const Text& t : texts) sections[t.section] += t.key + ("=" + t.stored) + " again\r\n";
    std::string bytes;
    for (const auto& [section, keys] : sections) bytes += "[" + section + "]\r\n" + keys;
    WriteBytes(profile, bytes);
    Open(profile);
    for (const Text& t : texts) EXPECT_EQ(t.get(), t.stored + " again") << t.key;
    EXPECT_FALSE(f.CheckBox1->Checked());
    EXPECT_TRUE(f.CheckBox2->Checked());
    EXPECT_EQ(f.ScrollBox1->Color(), 0x00654321);
    EXPECT_EQ(f.Memo1->Lines().ToVector(), Lines{"*.again"});
    EXPECT_EQ(f.Memo2->Lines()[1], "again 2");
}

// ---- Save as -----------------------------------------------------------------------

TEST_F(FileCommandsTest, SaveAsGivesEveryChosenNameTheIniExtension) {
    fs::create_directory(folder.Path() / "My.Folder");
    const std::string base = folder.File("");
    struct Case {
        std::string typed, written;
    };
    for (const Case& c : {Case{"brand", "brand.ini"}, Case{"brand.txt", "brand.ini"}, Case{"brand.ini", "brand.ini"},
                          Case{"my.brand", "my.ini"}, Case{"My.Folder\\brand", "My.Folder\\brand.ini"},
                          Case{"two.dots.cfg", "two.dots.ini"}}) {
        SCOPED_TRACE(c.typed);
        const std::string previous = form->SaveDialog1->FileName;
        fs::remove(base + c.written);
        SaveAs(base + c.typed);
        EXPECT_EQ(saveDialog.request.initialFile, previous) << "the dialog proposes the last name";
        EXPECT_TRUE(fs::exists(base + c.written));
        EXPECT_EQ(Profile(base + c.written, "Captions", "Title"), "Glimsel");
        EXPECT_EQ(form->SaveDialog1->FileName, base + c.written);
    }
    EXPECT_FALSE(fs::exists(base + "brand")) << "the name as typed is never written";
    EXPECT_FALSE(fs::exists(base + "brand.txt"));
    EXPECT_FALSE(fs::exists(base + "my.brand"));

    EXPECT_EQ(saveDialog.request.title, "Save configuration file as ...");
    EXPECT_EQ(saveDialog.request.filter, kFilterBuffer);
    EXPECT_EQ(saveDialog.request.filterIndex, 1u);
    EXPECT_EQ(saveDialog.request.defaultExt, "");
    EXPECT_EQ(saveDialog.request.flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST),
              DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(form->Text(), "Glimsel - Configuration") << "Save as leaves the caption alone";
}

TEST_F(FileCommandsTest, SaveAsCancelledDoesNothing) {
    const std::string before = Snapshot();
    SaveAs("");
    EXPECT_EQ(saveDialog.calls, 1);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(form->SaveDialog1->FileName, "");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileCommandsTest, SaveAsCopiesTheCompanionAndStartsTheCopy) {
    StandInCompanion();
    const std::string gift = folder.File("gift");
    const std::string before = Snapshot();
    SaveAs(gift, {IDYES, IDYES});

    EXPECT_EQ(Profile(gift + ".ini", "Captions", "Title"), "Glimsel");
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.shown[0].text, kCopyQuestion);
    EXPECT_EQ(boxes.shown[1].text, "Test " + gift + ".exe?");
    for (const Box& b : boxes.shown) EXPECT_EQ(b.flags, UINT(MB_ICONQUESTION | MB_YESNO));

    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].from, CompanionPath());
    EXPECT_EQ(copies[0].to, gift + ".exe");
    EXPECT_TRUE(copies[0].failIfExists);
    EXPECT_EQ(ReadBytes(gift + ".exe"), kCompanionBytes);

    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].owner, form->Handle());
    EXPECT_FALSE(starts[0].verb) << "the default verb";
    EXPECT_EQ(starts[0].file, gift + ".exe");
    EXPECT_FALSE(starts[0].parameters);
    EXPECT_FALSE(starts[0].directory);
    EXPECT_EQ(starts[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileCommandsTest, SaveAsStopsAtTheFirstNo) {
    StandInCompanion();
    SaveAs(folder.File("one"), {IDNO});
    EXPECT_EQ(boxes.Texts(), Lines{kCopyQuestion});
    EXPECT_TRUE(copies.empty());
    EXPECT_FALSE(fs::exists(folder.File("one.exe")));
    EXPECT_TRUE(fs::exists(folder.File("one.ini")));

    boxes.shown.clear();
    SaveAs(folder.File("two"), {IDYES, IDNO});
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(copies.size(), 1u);
    EXPECT_TRUE(fs::exists(folder.File("two.exe")));
    EXPECT_TRUE(starts.empty());
}

TEST_F(FileCommandsTest, AnExistingProgramIsNeverReplacedAndTheTestStillOffered) {
    StandInCompanion();
    const std::string brand = folder.File("brand");
    WriteBytes(brand + ".exe", "the author's own program");
    SaveAs(brand, {IDYES, IDYES});
    EXPECT_EQ(ReadBytes(brand + ".exe"), "the author's own program");
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.shown[1].text, "Test " + brand + ".exe?");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].file, brand + ".exe");
}

TEST_F(FileCommandsTest, AFailedCopyIsReportedAndNoTestOffered) {
    // The copy really runs from beside the test program, where no viewer is.
    if (fs::exists(CompanionPath())) GTEST_SKIP() << "a glimview.exe stands beside the test program";
    fs::create_directory(folder.Path() / "100% %s");
    const std::string gift = folder.File("100% %s") + "\\gift";
    SaveAs(gift, {IDYES, IDYES});
    EXPECT_EQ(copies.size(), 1u);
    EXPECT_FALSE(fs::exists(gift + ".exe"));
    EXPECT_EQ(boxes.Texts(), (Lines{kCopyQuestion, "Unable to copy " + CompanionPath() + " to " + gift + ".exe"}));
    EXPECT_EQ(boxes.Last().flags, UINT(MB_ICONSTOP));
    EXPECT_TRUE(starts.empty());
    EXPECT_TRUE(fs::exists(gift + ".ini")) << "the profile was saved before";
}

// Each "%s" of a text takes the next name as it is, also a name that holds
// "%s" itself, as a folder may.
TEST(StringTable, EveryTextLoadsAndTakesItsNamesLiterally) {
    for (unsigned id : {IDS_UNABLE_TO_WRITE, IDS_ABOUT_TEXT, IDS_COPY_QUESTION, IDS_TEST_QUESTION, IDS_UNABLE_TO_READ,
                        IDS_REPLACE_QUESTION, IDS_UNABLE_TO_COPY, IDS_SAVE_CHANGES_TO, IDS_SAVE_CHANGES})
        EXPECT_FALSE(glim::LoadText(id).empty()) << id;
    const std::string companion = "C:\\a%sb\\glimview.exe", program = "D:\\gift.exe";
    EXPECT_EQ(forms::Format(glim::LoadText(IDS_UNABLE_TO_COPY), {companion, program}),
              "Unable to copy C:\\a%sb\\glimview.exe to D:\\gift.exe");
}

TEST_F(FileCommandsTest, TheTestQuestionShowsAPathWithPerCentLiterally) {
    StandInCompanion();
    fs::create_directory(folder.Path() / "50% off %s %d");
    const std::string typed = folder.File("50% off %s %d") + "\\gift";
    SaveAs(typed, {IDYES, IDNO});
    EXPECT_TRUE(fs::exists(typed + ".ini"));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.shown[1].text, "Test " + typed + ".exe?");
}

// The dialog asked about the name as typed; a different file that the ".ini"
// rule lands on gets a question of its own.
TEST_F(FileCommandsTest, SaveAsAsksBeforeReplacingAProfileTheDialogDidNotAskAbout) {
    fs::create_directory(folder.Path() / "50% %d");
    const std::string base = folder.File("50% %d") + "\\";
    const std::string brand = base + "brand.ini";
    const std::string question = brand + " already exists.\r\nDo you want to replace it?";
    struct Case {
        std::string typed;
        std::vector<int> replies;
        Lines texts;
        bool written;
    };
    for (const Case& c :
         {Case{"brand", {IDNO}, {question}, false}, Case{"brand.txt", {IDCANCEL}, {question}, false},
          Case{"brand", {IDYES, IDNO}, {question, kCopyQuestion}, true},
          Case{"brand.ini", {IDNO}, {kCopyQuestion}, true}, Case{"BRAND.INI", {IDNO}, {kCopyQuestion}, true}}) {
        SCOPED_TRACE(c.typed + " answered " + std::to_string(c.replies.front()));
        WriteBytes(brand, kBrand);
        boxes.shown.clear();
        SaveAs(base + c.typed, c.replies);
        EXPECT_EQ(boxes.Texts(), c.texts);
        EXPECT_EQ(boxes.shown.front().flags, UINT(MB_ICONQUESTION | MB_YESNO));
        EXPECT_EQ(ReadBytes(brand) != kBrand, c.written);
        EXPECT_EQ(form->SaveDialog1->FileName, base + c.typed.substr(0, c.typed.find('.')) + ".ini")
            << "the next Save as proposes the .ini name, also after No";
        EXPECT_TRUE(copies.empty());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(base), fs::directory_iterator()), 1) << "nothing else written";
}

TEST_F(FileCommandsTest, AProfileThatCannotBeReadIsReportedAndLoadsNothing) {
    fs::create_directory(folder.Path() / "50% %s");
    const std::string locked = folder.File("50% %s") + "\\locked.ini";
    WriteBytes(locked, kBrand);
    form->Edit1->SetText("edited");
    const std::string before = Snapshot();
    HANDLE handle = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    Open(locked, {IDNO});
    CloseHandle(handle);
    EXPECT_EQ(boxes.Texts(), (Lines{"Save changes?", "Unable to read " + locked}));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.shown[1].flags, UINT(MB_ICONSTOP));
    EXPECT_EQ(Snapshot(), before) << "controls and caption as they were";

    // Held by a program that lets others read and write it, as an editor
    // does, the same file loads, also when that program may delete it.
    handle = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    Open(locked, {IDNO});
    CloseHandle(handle);
    EXPECT_EQ(form->Text(), "Glimsel - Configuration : locked.ini");
    EXPECT_EQ(form->Edit1->Text(), "Brand Viewer");
}

// ---- refused writes ------------------------------------------------------------

TEST_F(FileCommandsTest, ARefusedSaveShowsTheWriteErrorAndAsksNothing) {
    const std::string base = folder.File("");
    fs::create_directory(base + "folder.ini");
    const std::string held = base + "held.ini";
    WriteBytes(held, kBrand);
    HANDLE handle = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);

    form->Edit1->SetText("Edited");
    const std::string before = Snapshot();
    struct Case {
        const char* cause;
        std::string typed, path;
    };
    for (const Case& c : {Case{"missing folder", base + "missing\\gift", base + "missing\\gift.ini"},
                          Case{"folder at the path", base + "folder", base + "folder.ini"},
                          Case{"file held open without sharing", held, held}}) {
        SCOPED_TRACE(c.cause);
        boxes.shown.clear();
        SaveAs(c.typed, {IDYES, IDYES});
        ASSERT_EQ(boxes.Count(), 1) << "the error, and no question";
        EXPECT_EQ(boxes.shown[0].text, "Unable to write to " + c.path);
        EXPECT_EQ(boxes.shown[0].flags, UINT(MB_ICONSTOP));
        EXPECT_TRUE(copies.empty());
        EXPECT_TRUE(starts.empty());
        EXPECT_EQ(Snapshot(), before);
    }
    CloseHandle(handle);
    EXPECT_EQ(ReadBytes(held), kBrand);
    EXPECT_FALSE(fs::exists(base + "missing"));
}

// ---- unsaved edits -------------------------------------------------------------

class UnsavedEditsTest : public FileCommandsTest {
protected:
    // A new window started with profile (holding kBrand) and shown, as at
    // the start of the program.
    void Restart(const std::string& profile) {
        form.reset();
        form.reset(Application->CreateForm<glim::TForm1>());
        form->CommandLineProfile = profile;
        if (!profile.empty()) WriteBytes(profile, kBrand);
        ShowActive();
        boxes.shown.clear();
    }
    // Whether the window closed: hidden, with the message loop told to end.
    bool Closed() {
        MSG msg{};
        const bool quit = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return quit && !IsWindowVisible(form->Handle());
    }
    static constexpr UINT kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;
    const std::string brand = folder.File("50% brand.ini");
    const std::string other = folder.File("other.ini");
};

// Exit, the close box, Alt+F4 and Open ask about an unsaved edit: Yes saves
// it and the command goes on, No goes on without saving, Cancel ends it.
TEST_F(UnsavedEditsTest, EveryCommandThatWouldLoseAnEditAsksFirst) {
    enum Command { Exit, CloseBox, AltF4, OpenOther };
    WriteBytes(other, "[Captions]\r\nTitle=Other\r\n");
    for (const Command command : {Exit, CloseBox, AltF4, OpenOther}) {
        for (const int answer : {IDYES, IDNO, IDCANCEL}) {
            SCOPED_TRACE("command " + std::to_string(command) + ", answer " + std::to_string(answer));
            Restart(brand);
            form->Edit1->SetText("edited");
            answers = {answer};
            openDialog.chosen = other;
            openDialog.calls = 0;
            switch (command) {
                case Exit: Click(form->SpeedButton4); break;
                case CloseBox: SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
                case AltF4: SendMessageA(form->Handle(), WM_SYSKEYDOWN, VK_F4, 1 << 29); break;
                case OpenOther: Click(form->OpenBtn); break;
            }
            Pump();
            ASSERT_EQ(boxes.Texts(), Lines{"Save changes to " + brand + "?"});
            EXPECT_EQ(boxes.shown[0].flags, kQuestion);
            EXPECT_EQ(Profile(brand, "Captions", "Title"), answer == IDYES ? "edited" : "Brand Viewer");
            const bool goesOn = answer != IDCANCEL;
            if (command == OpenOther) {
                EXPECT_EQ(openDialog.calls, goesOn ? 1 : 0);
                EXPECT_EQ(form->Edit1->Text(), goesOn ? "Other" : "edited");
            } else {
                EXPECT_EQ(Closed(), goesOn);
            }
        }
    }
}

// Nothing unsaved, nothing asked: an edit typed back, an edit saved, another
// profile opened, an edit saved as, a profile whose value a control shows
// otherwise than stored.
TEST_F(UnsavedEditsTest, WithNothingUnsavedTheWindowClosesAtOnce) {
    WriteBytes(other, "[Captions]\r\nTitle=Other\r\n");
    const std::vector<std::function<void()>> roads = {
        [&] {
            form->Edit1->SetText("edited");
            form->Edit1->SetText("Brand Viewer");
        },
        [&] {
            form->Memo1->SetText("*.new");
            Click(form->SpeedButton3);
        },
        [&] {
            form->Edit1->SetText("edited");
            Open(other, {IDNO});
            boxes.shown.clear();
        },
        [&] {
            form->Edit1->SetText("edited");
            SaveAs(folder.File("gift"));
            boxes.shown.clear();
        },
        [&] {  // a capital that Edit7 shows in lower case
            WriteBytes(other,
                       "[Options]\r\nDefault=\xC9"
                       "CO\r\n");
            Open(other);
        },
    };
    for (std::size_t road = 0; road < roads.size(); ++road) {
        SCOPED_TRACE("road " + std::to_string(road));
        Restart(brand);
        roads[road]();
        Click(form->SpeedButton4);
        EXPECT_EQ(boxes.Texts(), Lines{});
        EXPECT_TRUE(Closed());
    }
}

// Without a command-line profile, Yes is Save as up to its save: no copy is
// offered. A cancelled dialog or a refused save keeps the window open.
TEST_F(UnsavedEditsTest, YesWithoutAProfileSavesAsAndARefusedSaveKeepsTheWindow) {
    Restart("");
    form->Edit1->SetText("edited");
    for (const std::string& name : {std::string(), folder.File("gift")}) {
        answers = {IDYES};
        saveDialog.chosen = name;
        Click(form->SpeedButton4);
        EXPECT_EQ(boxes.Texts(), Lines{"Save changes?"}) << "and no copy question";
        EXPECT_EQ(Closed(), !name.empty()) << "only once saved";
        boxes.shown.clear();
    }
    EXPECT_EQ(saveDialog.calls, 2);
    EXPECT_EQ(Profile(folder.File("gift.ini"), "Captions", "Title"), "edited");

    const std::string refused = folder.File("folder.ini");
    Restart(brand);
    form->CommandLineProfile = refused;
    fs::create_directory(refused);
    form->Edit1->SetText("edited");
    answers = {IDYES};
    openDialog.calls = 0;
    Click(form->OpenBtn);
    EXPECT_EQ(boxes.Texts(), (Lines{"Save changes to " + refused + "?", "Unable to write to " + refused}));
    EXPECT_EQ(openDialog.calls, 0);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(form->Edit1->Text(), "edited");
}

// The end of the Windows session asks the same question: Cancel and a
// refused save refuse it.
// What the window tells Windows' sign-out screen, and when: the calls it
// makes, handed on to the system's (which Wine does not implement).
std::vector<std::string> g_session;
ImportHook* g_blockCreate = nullptr;
ImportHook* g_blockDestroy = nullptr;
BOOL WINAPI RecordBlockReason(HWND form, LPCWSTR reason) {
    char text[256] = {};
    WideCharToMultiByte(CP_ACP, 0, reason, -1, text, sizeof text, nullptr, nullptr);
    g_session.push_back(std::string("reason ") + text);
    return g_blockCreate->Original<decltype(ShutdownBlockReasonCreate)>()(form, reason);
}
BOOL WINAPI RecordNoBlockReason(HWND form) {
    g_session.push_back("no reason");
    return g_blockDestroy->Original<decltype(ShutdownBlockReasonDestroy)>()(form);
}

// The question at the end of the session names itself on the sign-out
// screen while it is up. When the session then ends, the answer given
// stands: the window closes without asking again; when it does not end,
// the edit is still unsaved.
TEST_F(UnsavedEditsTest, TheEndOfTheSessionAsksToo) {
    ImportHook create("user32.dll", "ShutdownBlockReasonCreate", reinterpret_cast<const void*>(&RecordBlockReason));
    ImportHook destroy("user32.dll", "ShutdownBlockReasonDestroy", reinterpret_cast<const void*>(&RecordNoBlockReason));
    ASSERT_TRUE(create.Hooked() && destroy.Hooked());
    g_blockCreate = &create;
    g_blockDestroy = &destroy;
    ServiceOverride box{&Services::MessageBoxA, [shown = ModalServices().MessageBoxA](HWND owner, const char* text,
                                                                                      const char* caption, UINT flags) {
                            g_session.push_back("box");
                            return shown(owner, text, caption, flags);
                        }};
    struct Road {
        int answer;
        bool refused;
        LRESULT ends;
        const char* saved;
    };
    for (const Road r : {Road{IDCANCEL, false, FALSE, "Brand Viewer"}, Road{IDNO, false, TRUE, "Brand Viewer"},
                         Road{IDYES, false, TRUE, "edited"}, Road{IDYES, true, FALSE, "Brand Viewer"}}) {
        SCOPED_TRACE("answer " + std::to_string(r.answer) + (r.refused ? ", refused" : ""));
        Restart(brand);
        form->Edit1->SetText("edited");
        answers = {r.answer};
        g_session.clear();
        HANDLE held = r.refused ? CreateFileA(brand.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                : INVALID_HANDLE_VALUE;
        EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), r.ends);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(Profile(brand, "Captions", "Title"), r.saved);
        EXPECT_EQ(boxes.Count(), r.refused ? 2 : 1);
        Lines session{"reason Save changes to " + brand + "?", "box", "no reason"};
        if (r.refused) session.push_back("box");  // the write error, after the query
        EXPECT_EQ(g_session, session);

        // Windows then ends the session, or tells that it goes on.
        SendMessageA(form->Handle(), WM_ENDSESSION, r.ends, 0);
        answers = {IDNO};
        SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(boxes.Count(), r.refused ? 3 : r.ends ? 1 : 2) << "asked again only while the session goes on";
        EXPECT_TRUE(Closed());
    }
    g_blockCreate = g_blockDestroy = nullptr;

    // Asked again while the question is open: refused, not asked twice.
    {
        Restart(brand);
        form->Edit1->SetText("edited");
        LRESULT nested = -1;
        MessageBoxRecorder question([&](const Box&) {
            if (question.Count() == 1) nested = SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0);
            return IDCANCEL;
        });
        Click(form->SpeedButton4);
        EXPECT_EQ(question.Count(), 1);
        EXPECT_EQ(nested, FALSE);
    }

    // And while the save that Yes started is under way: without a profile,
    // Yes opens the Save as dialog.
    Restart("");
    form->Edit1->SetText("edited");
    answers = {IDYES};
    LRESULT duringSave = -1;
    ServiceOverride<std::function<BOOL(OPENFILENAMEA&)>> dialog{&Services::GetSaveFileNameA, [&](OPENFILENAMEA&) {
                                                                    duringSave = SendMessageA(form->Handle(),
                                                                                              WM_QUERYENDSESSION, 0, 0);
                                                                    return FALSE;
                                                                }};
    Click(form->SpeedButton4);
    EXPECT_EQ(duringSave, FALSE);
    EXPECT_EQ(boxes.Texts(), Lines{"Save changes?"}) << "asked once";
}

// ---- the real dialog and boxes ---------------------------------------------------

// Answers the real dialogs of this thread one after the other, from a timer
// that runs inside their modal loops. A dialog that was answered is not
// answered again while it closes.
class DialogScript {
public:
    explicit DialogScript(std::vector<std::function<void(HWND)>> steps, int seconds = 20)
        : steps_(std::move(steps)), deadline_(GetTickCount64() + 1000ULL * seconds) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~DialogScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    size_t Done() const { return done_; }

private:
    static BOOL CALLBACK Find(HWND hwnd, LPARAM lp) {
        auto* self = reinterpret_cast<DialogScript*>(lp);
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (std::string(name) == "#32770" && IsWindowVisible(hwnd) && !self->answered_.count(hwnd)) {
            self->found_ = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogScript* self = current_;
        if (!self || self->done_ == self->steps_.size()) return;
        if (GetTickCount64() > self->deadline_) {
            // Give up: close whatever is open, so the test goes on and fails.
            self->found_ = nullptr;
            EnumThreadWindows(GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(self));
            if (self->found_) PostMessageA(self->found_, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        self->found_ = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(self));
        if (!self->found_) return;
        self->answered_.insert(self->found_);
        self->steps_[self->done_++](self->found_);
    }

    static inline DialogScript* current_ = nullptr;
    std::vector<std::function<void(HWND)>> steps_;
    size_t done_ = 0;
    unsigned long long deadline_;
    UINT_PTR timer_ = 0;
    std::set<HWND> answered_;
    HWND found_ = nullptr;
};

TEST_F(FileCommandsTest, SaveAsThroughTheRealDialogAndBoxes) {
    StandInCompanion();
    ServiceOverride<std::function<BOOL(OPENFILENAMEA&)>> realDialog{
        &Services::GetSaveFileNameA, [](OPENFILENAMEA& ofn) { return GetSaveFileNameA(&ofn); }};
    ServiceOverride<std::function<int(HWND, const char*, const char*, UINT)>> realBoxes{
        &Services::MessageBoxA, [](HWND owner, const char* text, const char* caption, UINT flags) {
            return MessageBoxA(owner, text, caption, flags);
        }};
    const std::string gift = folder.File("gift");
    std::string title;
    Lines texts;
    const auto yes = [&texts](HWND box) {
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        texts.push_back(text);
        PostMessageA(box, WM_COMMAND, IDYES, 0);
    };
    {
        DialogScript script({[&](HWND dialog) {
                                 title = WindowText(dialog);
                                 SetDlgItemTextA(dialog, 0x47C, gift.c_str());
                                 PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                             },
                             yes, yes});
        form->SaveAsBtnClick(nullptr);
        EXPECT_EQ(script.Done(), 3u);
    }
    EXPECT_EQ(title, "Save configuration file as ...");
    EXPECT_EQ(texts, (Lines{kCopyQuestion, "Test " + gift + ".exe?"}));
    EXPECT_EQ(Profile(gift + ".ini", "Captions", "Title"), "Glimsel");
    EXPECT_EQ(ReadBytes(gift + ".exe"), kCompanionBytes);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].file, gift + ".exe");
    EXPECT_EQ(form->SaveDialog1->FileName, gift + ".ini");
}

}  // namespace
