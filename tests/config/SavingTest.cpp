// Saving the configuration document into files, over the real profile
// functions.

#include "config/Saving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/Loading.h"
#include "config/ProfileError.h"
#include "forms/Exception.h"
#include "forms/Paths.h"
#include "tests/support/ProfileTestSupport.h"

#include <windows.h>

namespace {

using config::TConfigDocument;
using namespace profiletest;
using Lines = std::vector<std::string>;

const std::string kPad(13, ' ');

TConfigDocument Sample() {
    TConfigDocument doc;
    doc.Title = "Brand Viewer";
    doc.Dialog = "Save the icon";
    doc.HelpFile = "C:\\Help\\viewer.hlp";
    doc.Home = "http://example.org";
    doc.Mail = "me@example.org";
    doc.Open = "start.ico";
    doc.Default = "ico";
    doc.EditMask = false;
    doc.ShowFileNames = true;
    doc.Color = 0x00C0C0C0;
    doc.MenuCaptions = {"&Copy", "&Icon", "&Bitmap", "Back&ground", "&Web", "&Mail", "&Help", "&About"};
    doc.Masks = {"*.ico", "*.exe;*.dll"};
    doc.AboutLines = {"Brand", "", "   Indented"};
    return doc;
}

// ---- whole saves into files --------------------------------------------------

class SaveFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("brand.ini");
};

// The initial window, with three About lines: the file a save to a new file,
// or to an empty one, writes. Trailing blanks of the first About line may or
// may not last in the file (Wine drops them at the next write), so they are
// left out of the comparison.
TEST_F(SaveFile, ANewFileHoldsTheFiveSections) {
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "an empty file" : "no file");
        std::filesystem::remove(ini);
        if (existing) WriteBytes(ini, "");
        TConfigDocument doc;
        doc.Title = "Glimsel";
        doc.Dialog = "Save Icon as ...";
        doc.Default = "ics";
        doc.MenuCaptions = {"&Copy Icon to clipboard",
                            "Save Icon as *.&ICO ...",
                            "Save Icon as *.&BMP ...",
                            "Backgr&ound color ...",
                            "&Website ...",
                            "&E-mail ...",
                            "&Help ...",
                            "&About ..."};
        doc.Masks = {"*.ic?", "*.exe;*.dll;*.ocx;*.cpl;*.ico", "*.*"};
        doc.AboutLines = {"Icon viewer", "", "   Internal use"};
        config::SaveDocument(ini, doc);

        std::string text = ReadBytes(ini);
        const std::string padded = "L1=Icon viewer" + kPad;
        if (const auto at = text.find(padded); at != std::string::npos) text.erase(at + 14, kPad.size());
        EXPECT_EQ(text,
                  "[Captions]\r\nTitle=Glimsel\r\nDialog=Save Icon as ...\r\n"
                  "[Menu]\r\nCopy=&Copy Icon to clipboard\r\nIcon=Save Icon as *.&ICO ...\r\n"
                  "Bitmap=Save Icon as *.&BMP ...\r\nBackground=Backgr&ound color ...\r\nHomepage=&Website ...\r\n"
                  "EMail=&E-mail ...\r\nHelp=&Help ...\r\nAbout=&About ...\r\n"
                  "[Extensions]\r\nE1=*.ic?\r\nE2=*.exe;*.dll;*.ocx;*.cpl;*.ico\r\nE3=*.*\r\n"
                  "[Options]\r\nEditMask=0\r\nShowFileNames=1\r\nHelpFile=\r\nOpen=\r\nDefault=ics\r\nHome=\r\n"
                  "Mail=\r\nColor=\r\n"
                  "[Dialogs]\r\nL1=Icon viewer\r\nL2=\r\nL3=>   Internal use\r\nL4=\r\nL5=\r\nL6=\r\n");
    }
}

// A content shorter than the profile's leaves no tail of the old one.
TEST_F(SaveFile, AShorterContentReplacesTheWholeFile) {
    TConfigDocument doc = Sample();
    for (int n = 0; n < 100; ++n) doc.Masks.push_back("*.m" + std::to_string(n));
    config::SaveDocument(ini, doc);
    config::SaveDocument(ini, Sample());
    const std::string text = ReadBytes(ini);
    EXPECT_EQ(text.find("*.m"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "L6=\r\n");
}

// Texts and captions go in as the controls hold them: only the help file
// loses its folder, and only the About lines are escaped.
TEST_F(SaveFile, EachValueIsWrittenAsItsControlHoldsIt) {
    TConfigDocument doc = Sample();
    doc.Dialog = ">x";
    doc.MenuCaptions[0] = "";
    doc.HelpFile = "D:viewer.hlp";
    doc.Open = "C:\\Icons\\start.ico";
    doc.Default = "ICO";
    doc.EditMask = true;
    doc.ShowFileNames = false;
    doc.Color = 0x12345678;
    config::SaveDocument(ini, doc);
    struct Key {
        const char *section, *key, *value;
    };
    for (const Key k :
         {Key{"Captions", "Title", "Brand Viewer"}, Key{"Captions", "Dialog", ">x"}, Key{"Menu", "Copy", ""},
          Key{"Menu", "About", "&About"}, Key{"Options", "HelpFile", "viewer.hlp"},
          Key{"Options", "Open", "C:\\Icons\\start.ico"}, Key{"Options", "Default", "ICO"},
          Key{"Options", "EditMask", "1"}, Key{"Options", "ShowFileNames", "0"}, Key{"Options", "Color", "$12345678"},
          Key{"Options", "Home", "http://example.org"}, Key{"Options", "Mail", "me@example.org"}})
        EXPECT_EQ(Read(ini, k.section, k.key, "missing"), k.value) << k.section << "." << k.key;
}

TEST_F(SaveFile, OtherKeysStayInOptionsAndGoFromTheRewrittenSections) {
    WriteBytes(ini,
               "[Options]\r\nExtra=kept\r\nEditMask=1\r\n"
               "[Extensions]\r\nE1=old\r\nE2=old\r\nE3=old\r\nE9=old\r\n"
               "[Dialogs]\r\nL1=old\r\nL7=old\r\nNote=old\r\n"
               "[Other]\r\nx=kept\r\n"
               "[Captions]\r\nSubtitle=kept\r\n"
               "[Menu]\r\nExtra=kept\r\n");
    TConfigDocument doc = Sample();
    doc.Masks = {"*.a"};
    config::SaveDocument(ini, doc);

    EXPECT_EQ(Read(ini, "Options", "Extra"), "kept");
    EXPECT_EQ(Read(ini, "Other", "x"), "kept");
    EXPECT_EQ(Read(ini, "Captions", "Subtitle"), "kept");
    EXPECT_EQ(Read(ini, "Menu", "Extra"), "kept");
    EXPECT_EQ(Read(ini, "Options", "EditMask"), "0");
    EXPECT_EQ(Read(ini, "Extensions", "E1"), "*.a");
    for (const char* gone : {"E2", "E3", "E9"}) EXPECT_EQ(Read(ini, "Extensions", gone, "-"), "-") << gone;
    for (const char* gone : {"L7", "Note"}) EXPECT_EQ(Read(ini, "Dialogs", gone, "-"), "-") << gone;
    EXPECT_EQ(Read(ini, "Dialogs", "L1"), "Brand");

    // No mask line at all: no Extensions section is left.
    doc.Masks = {};
    config::SaveDocument(ini, doc);
    EXPECT_EQ(ReadBytes(ini).find("[Extensions]"), std::string::npos);
}

// What the two sound rules are for: every mask and every About line comes back.
TEST_F(SaveFile, BlankMaskLinesAndMarkedAboutLinesSurviveTheNextLoad) {
    TConfigDocument doc = Sample();
    doc.Masks = {"*.ico", "", "  ", "*.exe", "\t", "'\"", "*.cur"};
    doc.AboutLines = {">Title", " > quoted", ">>", "", "plain", ">"};
    config::SaveDocument(ini, doc);

    TConfigDocument back;
    config::LoadDocument(ini, back);
    EXPECT_EQ(back.Masks, (Lines{"*.ico", "*.exe", "'\"", "*.cur"})) << "a pair that does not match is text";
    back.AboutLines[0] = config::TrimRightBlanks(back.AboutLines[0]);
    EXPECT_EQ(back.AboutLines, (Lines{">Title", " > quoted", ">>", "", "plain", ">"}));
}

// A line led by any character that the profile functions drop comes back as
// typed, also one that another tool escaped and that the program then saves
// again.
TEST_F(SaveFile, AboutLinesLedByDroppedCharactersComeBackAfterSaveAndLoad) {
    auto reload = [&](const std::vector<std::string>& lines) {
        TConfigDocument doc;
        doc.AboutLines = lines;
        config::SaveDocument(ini, doc);
        TConfigDocument back;
        config::LoadDocument(ini, back);
        back.AboutLines[0] = config::TrimRightBlanks(back.AboutLines[0]);  // the padding
        return back.AboutLines;
    };
    const Lines typed{"Head",
                      " Blank",
                      "\tTab",
                      "\vVertical",
                      "\fFeed",
                      "\x1A"
                      "Eof"};
    EXPECT_EQ(reload(typed), typed);
    EXPECT_EQ(reload({"\tFirst", "\x1A"}), (Lines{"\tFirst", "", "", "", "", ""})) << "a lone blank is trimmed";
    EXPECT_EQ(reload({"\">x\"", "'quoted'", "\"\"", "\"open", "\"Beta\" build", "'"}),
              (Lines{"\">x\"", "'quoted'", "\"\"", "\"open", "\"Beta\" build", "'"}));

    WriteBytes(ini, "[Dialogs]\r\nL1=>\tTabbed\r\n");
    TConfigDocument other;
    config::LoadDocument(ini, other);
    ASSERT_EQ(other.AboutLines[0], "\tTabbed");
    EXPECT_EQ(reload(other.AboutLines), (Lines{"\tTabbed", "", "", "", "", ""}));
}

void ExpectUnableToWrite(const std::string& path) {
    try {
        config::SaveDocument(path, Sample());
        ADD_FAILURE() << "the save of " << path << " reported success";
    } catch (const config::EProfileError& e) {
        EXPECT_EQ(e.Action(), config::EProfileError::TAction::Write);
        EXPECT_EQ(e.FileName(), path);
    }
}

TEST_F(SaveFile, ARefusedSaveRaisesTheWriteErrorAndChangesNothing) {
    ExpectUnableToWrite((folder.Path() / "no such folder" / "brand.ini").string());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "no such folder"));

    const std::string dir = folder.File("folder.ini");
    std::filesystem::create_directory(dir);
    ExpectUnableToWrite(dir);
    EXPECT_TRUE(std::filesystem::is_directory(dir));

    // Refused by its attribute, even where this user could write it anyway
    // (the superuser under Wine): a new file in its place would get around it.
    const std::string before = "[Captions]\r\nTitle=kept\r\n";
    WriteBytes(ini, before);
    SetReadOnly(ini, true);
    ExpectUnableToWrite(ini);
    SetReadOnly(ini, false);
    EXPECT_EQ(ReadBytes(ini), before);

    // A file that another holder keeps open without sharing.
    WriteBytes(ini, before);
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectUnableToWrite(ini);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(ini), before);
    EXPECT_EQ(Names(folder), (Lines{"brand.ini", "folder.ini"})) << "nothing left beside the profile";
}

// Wine's profile functions report a write to such a path as done and write
// nothing; the save says that it could not.
TEST_F(SaveFile, APathLongerThanTheFileFunctionsTakeIsRefused) {
    const std::string top = std::string(200, 'd'), deep = top + "\\" + std::string(60, 'e');
    const std::wstring longTop = L"\\\\?\\" + (folder.Path() / top).wstring();
    const std::wstring longDeep = L"\\\\?\\" + (folder.Path() / deep).wstring();
    ASSERT_TRUE(CreateDirectoryW(longTop.c_str(), nullptr) && CreateDirectoryW(longDeep.c_str(), nullptr));
    ExpectUnableToWrite(folder.File(deep + "\\brand.ini"));
    EXPECT_TRUE(RemoveDirectoryW(longDeep.c_str())) << "nothing was written into the folder";
    RemoveDirectoryW(longTop.c_str());
}

// An error other than a refused write, in the middle of the writes: it
// passes on, the profile is as it was, and a new one is not made. (A refused
// write at each step of every road is the window tests' table.)
TEST_F(SaveFile, AnErrorInTheMiddleOfTheWritesLeavesTheProfileAsItWas) {
    const std::string before = "[Options]\r\nExtra=kept\r\n[Extensions]\r\nE1=*.old\r\n";
    const auto save = [](config::TIniFile& out) {
        out.ClearSection("Extensions");
        throw forms::Exception("refused");
    };
    WriteBytes(ini, before);
    EXPECT_THROW(config::SaveWholeProfile(ini, save), forms::Exception);
    EXPECT_EQ(ReadBytes(ini), before);
    EXPECT_THROW(config::SaveWholeProfile(folder.File("fresh.ini"), save), forms::Exception);
    EXPECT_EQ(Names(folder), Lines{"brand.ini"}) << "a refused new profile is not created";
}

// The drafts of this process's saves, in the temporary folder.
Lines Drafts() {
    const std::string mine = "glimsel-" + std::to_string(GetCurrentProcessId()) + "-";
    Lines drafts;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().rfind(mine, 0) == 0) drafts.push_back(entry.path().string());
    return drafts;
}

// A draft that the file system refuses half-way, as a full drive or a quota
// would: one refused in the temporary folder is made again beside the
// profile, also when the profile is named with "/"; when every draft is
// refused, the writes go straight into the profile. Nothing is left behind
// either way.
TEST_F(SaveFile, ADraftRefusedHalfWayIsMadeAgainBesideTheProfile) {
    const std::string before = "[Captions]\r\nTitle=kept\r\n";
    for (const std::string& profile : {ini, folder.Path().string() + "/brand.ini"})
        for (const bool everyDraft : {false, true}) {
            SCOPED_TRACE(profile + (everyDraft ? ": every draft refused" : ": the temporary folder's draft refused"));
            WriteBytes(ini, before);
            std::vector<HANDLE> held;
            Lines places;
            config::SaveWholeProfile(profile, [&](config::TIniFile& out) {
                const std::string place = std::filesystem::path(out.FileName()).parent_path().string();
                places.push_back(place);
                out.WriteValue("Captions", "Title", "new");
                if (out.FileName() != profile && (everyDraft || place != folder.Path().string()))
                    held.push_back(CreateFileA(out.FileName().c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                               nullptr));
                out.WriteValue("Captions", "Dialog", "new");
            });
            for (HANDLE handle : held) CloseHandle(handle);
            ASSERT_EQ(places.size(), everyDraft ? 3u : 2u);
            EXPECT_NE(places[0], places[1]) << "the first draft is in the temporary folder";
            EXPECT_EQ(places[1], folder.Path().string());
            EXPECT_EQ(Read(ini, "Captions", "Dialog", "-"), "new");
            EXPECT_EQ(Names(folder), Lines{"brand.ini"});
            EXPECT_EQ(Drafts(), Lines{});
        }
}

TEST_F(SaveFile, TheProfileKeepsItsAttributes) {
    WriteBytes(ini, "[Captions]\r\nTitle=old\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    const DWORD before = GetFileAttributesA(ini.c_str());
    config::SaveDocument(ini, Sample());
    EXPECT_EQ(Read(ini, "Captions", "Title"), "Brand Viewer");
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN, before & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// ---- what a save keeps ---------------------------------------------------------

// The host's view of a path under Wine: its Unix path.
std::string UnixPath(const std::string& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName) return {};
    const std::wstring wide = std::filesystem::path(path).wstring();
    char* name = unixFileName(wide.c_str());
    std::string unix = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

// Runs a shell command on the host, where links and Unix modes are made and
// seen, and tells whether it succeeded. Under Wine the shell is started as a
// Unix program, which gives no handle to wait on: it reports by a file.
bool Host(const std::string& command) {
    static TempFolder scratch;
    const std::string done = scratch.File("done");
    std::filesystem::remove(done);
    const std::string report = UnixPath(scratch.Path().string()) + "/done";
    std::string line = "Z:\\bin\\sh -c \"(" + command + ") >/dev/null 2>&1; echo $? >'" + report + ".tmp'; mv '" +
                       report + ".tmp' '" + report + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    for (HANDLE handle : {process.hProcess, process.hThread})
        if (handle) CloseHandle(handle);
    for (int waited = 0; waited < 1000 && !std::filesystem::exists(done); ++waited) Sleep(10);
    return ReadBytes(done) == "0\n";
}

std::string Quoted(const std::string& path) { return "'" + UnixPath(path) + "'"; }

// A profile with a second name, a mode of its own, a long path or another
// holder: the save changes what every name of it reads and nothing else.
TEST(SaveKeeps, EverythingAboutTheProfileButItsContent) {
    struct Case {
        const char* what;
        const char* mode;        // the Unix mode it has before and after
        std::size_t pathLength;  // of the profile's path, 0 for a short one
        bool symbolicLink;       // the profile is a link to real/real.ini
        bool hardLink;           // the profile has a second name, other.ini
        bool heldOpen;           // another handle that may delete it shares reading and writing, not deleting
    };
    const Case cases[] = {
        {"a profile behind a symbolic link", "644", 0, true, false, false},
        {"a profile with two names", "644", 0, false, true, false},
        {"a profile only its owner may read", "600", 0, false, false, false},
        {"a group-writable profile", "664", 0, false, false, false},
        {"a path of 250 characters", "644", 250, false, false, false},
        {"a path of 255 characters", "644", 255, false, false, false},
        {"a path of 259 characters", "644", 259, false, false, false},
        {"a profile another program holds open", "644", 0, false, false, true},
    };
    const std::string before = "[Options]\r\nExtra=kept\r\n[Captions]\r\nTitle=old\r\n";
    // Unix modes and symbolic links are made and read on the host, which
    // only Wine has: on Windows the cases without them run.
    const bool host = !UnixPath(std::filesystem::temp_directory_path().string()).empty();
    for (const Case& c : cases) {
        if (!host && (c.symbolicLink || std::string(c.mode) != "644")) continue;
        SCOPED_TRACE(c.what);
        TempFolder folder;
        // Wine cannot see a link whose target is gone, so cannot remove it.
        const struct HostRemoval {
            std::string path;
            bool host;
            ~HostRemoval() {
                if (host) Host("rm -rf " + Quoted(path));
            }
        } removal{folder.Path().string(), host};
        std::string profile = folder.File("brand.ini");
        if (c.pathLength) {
            // folder, separator, the long name, separator, brand.ini
            const std::size_t room = c.pathLength - folder.Path().string().size() - 2 - std::strlen("brand.ini");
            const std::string deep = folder.File(std::string(room, 'd'));
            std::filesystem::create_directory(deep);
            profile = deep + "\\" + "brand.ini";
            ASSERT_EQ(profile.size(), c.pathLength);
        }
        Lines names = {profile};
        std::string file = profile;  // what the mode belongs to
        if (c.symbolicLink) {
            std::filesystem::create_directory(folder.Path() / "real");
            file = folder.File("real/real.ini");
            names.push_back(file);
        }
        WriteBytes(file, before);
        ASSERT_TRUE(!host || Host("chmod " + std::string(c.mode) + " " + Quoted(file)));
        ASSERT_TRUE(!c.symbolicLink || Host("ln -s real/real.ini " + Quoted(profile)));
        if (c.hardLink) {
            names.push_back(folder.File("other.ini"));
            std::filesystem::create_hard_link(profile, names.back());
        }
        HANDLE holder = c.heldOpen ? CreateFileA(profile.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)
                                   : INVALID_HANDLE_VALUE;
        ASSERT_EQ(holder != INVALID_HANDLE_VALUE, c.heldOpen);
        const Lines tree = Names(folder);

        EXPECT_NO_THROW(config::SaveDocument(profile, Sample()));

        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        for (const std::string& name : names) {
            EXPECT_EQ(Read(name, "Captions", "Title"), "Brand Viewer") << name;
            EXPECT_EQ(Read(name, "Options", "Extra"), "kept") << name;
        }
        EXPECT_TRUE(!host || Host("test $(stat -c %a " + Quoted(file) + ") = " + c.mode)) << "the mode is kept";
        EXPECT_TRUE(!c.symbolicLink || Host("test -L " + Quoted(profile))) << "the link stays a link";
        EXPECT_EQ(Names(folder), tree) << "nothing new in the folders";
        EXPECT_EQ(Drafts(), Lines{});
    }
}

// ---- round trip ---------------------------------------------------------------

// What the store gives back of a text value: no leading or trailing blanks,
// and one pair of matching outer quotes removed.
std::string AsReadBack(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text = config::TrimRightBlanks(text);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

class RandomTexts {
public:
    explicit RandomTexts(unsigned seed) : random_(seed) {}
    // Printable characters, blanks more often than their share.
    std::string Text(std::size_t maxLength) {
        std::string text(Pick(0, static_cast<int>(maxLength)), ' ');
        for (char& c : text) c = Pick(0, 5) == 0 ? ' ' : static_cast<char>(Pick(33, 126));
        return text;
    }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::mt19937 random_;
};

TEST_F(SaveFile, RandomDocumentsComeBackAsSaved) {
    constexpr unsigned kSeed = 20260601;
    RandomTexts random(kSeed);
    const std::int32_t kBefore = 0x00445566;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("seed " + std::to_string(kSeed) + ", round " + std::to_string(round));
        TConfigDocument doc;
        for (std::string* s : {&doc.Title, &doc.Dialog, &doc.HelpFile, &doc.Home, &doc.Mail, &doc.Open, &doc.Default})
            *s = random.Text(40);
        for (std::string& caption : doc.MenuCaptions) caption = random.Text(30);
        doc.EditMask = random.Pick(0, 1) == 1;
        doc.ShowFileNames = random.Pick(0, 1) == 1;
        const int colours[] = {config::clBackground, 0, random.Pick(1, 0x00FFFFFF), random.Pick(INT32_MIN, -1)};
        doc.Color = colours[random.Pick(0, 3)];
        for (int n = random.Pick(0, 8); n > 0; --n) doc.Masks.push_back(random.Pick(0, 5) ? random.Text(30) : "''");
        for (int n = random.Pick(0, 8); n > 0; --n) {
            std::string line = random.Text(60);
            if (random.Pick(0, 3) == 0) line.insert(0, 1, '>');
            doc.AboutLines.push_back(line);
        }

        const std::string path = folder.File("round" + std::to_string(round) + ".ini");
        config::SaveDocument(path, doc);
        TConfigDocument back;
        back.Color = kBefore;
        config::LoadDocument(path, back);

        EXPECT_EQ(back.Title, AsReadBack(doc.Title));
        EXPECT_EQ(back.Dialog, AsReadBack(doc.Dialog));
        EXPECT_EQ(back.HelpFile, AsReadBack(forms::FileNamePart(doc.HelpFile)));
        EXPECT_EQ(back.Home, AsReadBack(doc.Home));
        EXPECT_EQ(back.Mail, AsReadBack(doc.Mail));
        EXPECT_EQ(back.Open, AsReadBack(doc.Open));
        EXPECT_EQ(back.Default, config::LowerCaseAtoZ(AsReadBack(doc.Default)));
        for (std::size_t i = 0; i < doc.MenuCaptions.size(); ++i)
            EXPECT_EQ(back.MenuCaptions[i], AsReadBack(doc.MenuCaptions[i]));
        EXPECT_EQ(back.EditMask, doc.EditMask);
        EXPECT_EQ(back.ShowFileNames, doc.ShowFileNames);
        const bool kept = doc.Color == config::clBackground || doc.Color == 0;
        EXPECT_EQ(back.Color, kept ? kBefore : doc.Color);

        Lines masks;
        for (const std::string& mask : doc.Masks)
            if (!AsReadBack(mask).empty()) masks.push_back(AsReadBack(mask));
        EXPECT_EQ(back.Masks, masks);

        // A line that needs no ">" goes through the store like any text; an
        // escaped one keeps its leading blanks and quotes.
        Lines about(6);
        for (std::size_t n = 0; n < 6 && n < doc.AboutLines.size(); ++n) {
            const std::string line = config::TrimRightBlanks(doc.AboutLines[n]);
            const bool escaped =
                !line.empty() &&
                (line.front() == ' ' || line.front() == '>' ||
                 (line.size() >= 2 && (line.front() == '"' || line.front() == '\'') && line.back() == line.front()));
            about[n] = escaped ? line : AsReadBack(line);
        }
        for (std::string& line : back.AboutLines) line = config::TrimRightBlanks(line);
        EXPECT_EQ(back.AboutLines, about);
    }
}

}  // namespace
