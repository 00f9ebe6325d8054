// Every road of a Save, with each of its file operations refused in turn.
// The files are real; the file operations' entry point stands in for what a
// test cannot make under Wine (a full drive, a folder that refuses new
// files) and refuses the n-th operation of the save.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "app/Form1.h"
#include "config/FileOperations.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

using namespace testutil;
using profiletest::Names;
using profiletest::ReadBytes;
using profiletest::TempFolder;
using profiletest::WriteBytes;
namespace fs = std::filesystem;

namespace {

enum class TProfile { Exists, Missing, Empty };
enum class TTemporary { Works, Missing, RefusesDraft, CannotFill };

struct Road {
    TProfile profile;
    TTemporary temporary;
    bool besideRefused;  // the profile's folder refuses new files
    // As a test's name: ProfileExists_TemporaryFolderWorks_BesideTakesADraft.
    std::string Name() const {
        const char* profiles[] = {"ProfileExists", "ProfileMissing", "ProfileOfZeroBytes"};
        const char* temporaries[] = {"TemporaryFolderWorks", "TemporaryFolderMissing", "TemporaryFolderRefusesTheDraft",
                                     "TemporaryFolderCannotFillIt"};
        return std::string(profiles[int(profile)]) + "_" + temporaries[int(temporary)] +
               (besideRefused ? "_BesideRefusesADraft" : "_BesideTakesADraft");
    }
};

void PrintTo(const Road& road, std::ostream* out) { *out << road.Name(); }

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

// The file operations of one road, the n-th of them refused.
class RoadFiles {
public:
    RoadFiles(const Road& road, const std::string& temporary, const std::string& beside, int refused)
        : real_(config::FileOperations()), refused_(refused) {
        const std::string given = road.temporary == TTemporary::Missing ? temporary + "missing\\" : temporary;
        const bool tempRefuses = road.temporary == TTemporary::RefusesDraft;
        const bool tempFull = road.temporary == TTemporary::CannotFill;
        // A folder that refuses new files; a drive that is full.
        const auto refusesNew = [=](const std::string& path) {
            return (tempRefuses && FolderOf(path) == temporary) || (road.besideRefused && FolderOf(path) == beside);
        };
        const auto full = [=](const std::string& path) { return tempFull && FolderOf(path) == temporary; };
        config::TFileOperations& ops = config::FileOperations();
        ops.Create = [=, this](const std::string& path) {
            if (Refused(ERROR_ACCESS_DENIED) || (refusesNew(path) && Fail(ERROR_ACCESS_DENIED)))
                return INVALID_HANDLE_VALUE;
            return Note(real_.Create(path), path);
        };
        ops.Open = [=, this](const std::string& path, bool forWriting) {
            if (Refused(ERROR_SHARING_VIOLATION)) return INVALID_HANDLE_VALUE;
            return Note(real_.Open(path, forWriting), path);
        };
        ops.Read = [=, this](HANDLE file, ULONGLONG offset, char* buffer, DWORD size, DWORD& got) {
            return !Refused(ERROR_READ_FAULT) && real_.Read(file, offset, buffer, size, got);
        };
        ops.Write = [=, this](HANDLE file, ULONGLONG offset, const char* bytes, DWORD size, DWORD& wrote) {
            if (Refused(ERROR_DISK_FULL) || (full(paths_[file]) && Fail(ERROR_DISK_FULL))) return false;
            return real_.Write(file, offset, bytes, size, wrote);
        };
        ops.CutToLength = [=, this](HANDLE file, ULONGLONG length) {
            return !Refused(ERROR_DISK_FULL) && real_.CutToLength(file, length);
        };
        ops.Flush = [=, this](HANDLE file) { return !Refused(ERROR_DISK_FULL) && real_.Flush(file); };
        ops.Delete = [=, this](const std::string& path) { return !Refused(ERROR_ACCESS_DENIED) && real_.Delete(path); };
        ops.TemporaryFolder = [=, this] { return Refused(ERROR_PATH_NOT_FOUND) ? std::string() : given; };
        ops.WriteProfileString = [=, this](const char* section, const char* key, const char* value,
                                           const std::string& path) {
            if (Refused(ERROR_DISK_FULL) || (full(path) && Fail(ERROR_DISK_FULL)) ||
                (refusesNew(path) && !fs::exists(path) && Fail(ERROR_ACCESS_DENIED)))
                return false;
            return real_.WriteProfileString(section, key, value, path);
        };
    }
    ~RoadFiles() { config::FileOperations() = real_; }
    RoadFiles(const RoadFiles&) = delete;
    RoadFiles& operator=(const RoadFiles&) = delete;

    int Count() const { return count_; }

private:
    // Counts an operation; true for the refused one.
    bool Refused(DWORD error) const { return ++count_ == refused_ && Fail(error); }
    static bool Fail(DWORD error) {
        SetLastError(error);
        return true;
    }
    HANDLE Note(HANDLE file, const std::string& path) const {
        if (file != INVALID_HANDLE_VALUE) paths_[file] = path;
        return file;
    }

    const config::TFileOperations real_;
    const int refused_;
    mutable int count_ = 0;
    mutable std::map<HANDLE, std::string> paths_;
};

using Lines = std::vector<std::string>;

class SaveRoads : public Form1Fixture, public testing::WithParamInterface<Road> {
protected:
    // A click through the button's window procedure, as the mouse gives it,
    // so that an error reaches the application's stop box; unlike Click, it
    // does not pump messages afterwards, which the table's many saves would
    // wait on.
    void Press(forms::TWinControl* button) {
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    // The window with an edit that the last save did not write: one of two
    // titles, the other one after a save that succeeded.
    void Edited() {
        edit = saved == 0 ? 1 : 0;
        form->Edit1->SetText(kEdits[edit]);
    }
    void StartAs(TProfile kind) {
        fs::remove(profile);
        if (kind != TProfile::Missing) WriteBytes(profile, kind == TProfile::Exists ? kBefore : "");
    }

    static constexpr const char* kEdits[2] = {"Edited", "Edited again"};
    int edit = 0, saved = -1;  // which of them the controls show, and the last save wrote
    static constexpr char kBefore[] = "[Captions]\r\nTitle=Old\r\n[Other]\r\nx=kept\r\n[Extensions]\r\nE1=*.old\r\n";
    TempFolder folder, temporary;
    const std::string profile = folder.File("brand.ini");
    MessageBoxRecorder boxes{IDCANCEL};
};

// Whichever operation is refused, the save keeps its promise: it succeeds and
// the profile holds exactly the new content, or the stop box names the
// profile, the profile is byte for byte what it was (absent if it was), and
// the edit still counts as unsaved. Nothing is left in the temporary folder
// or beside the profile. Without a refused operation, a save succeeds on
// every road where the profile can be written at all.
TEST_P(SaveRoads, KeepTheirPromiseWhicheverOperationIsRefused) {
    const Road road = GetParam();
    // What a save writes from the profile at its start, with either edit.
    form->CommandLineProfile = profile;
    std::string after[2];
    for (int n = 0; n < 2; ++n) {
        StartAs(road.profile);
        Edited();
        Press(form->SpeedButton3);
        saved = edit;
        after[edit] = ReadBytes(profile);
        ASSERT_NE(after[edit].find(std::string("Title=") + kEdits[edit] + "\r\n"), std::string::npos);
    }
    ASSERT_EQ(boxes.Count(), 0);

    for (int refused = 1;; ++refused) {
        SCOPED_TRACE("operation " + std::to_string(refused) + " refused");
        StartAs(road.profile);
        const std::string before = ReadBytes(profile);
        Edited();
        boxes.shown.clear();
        int count = 0;
        {
            const RoadFiles files(road, temporary.File(""), folder.File(""), refused);
            Press(form->SpeedButton3);
            count = files.Count();
        }
        const bool hit = refused <= count;
        EXPECT_EQ(Names(temporary), Lines{}) << "nothing left in the temporary folder";
        EXPECT_EQ(Names(folder), fs::exists(profile) ? Lines{"brand.ini"} : Lines{}) << "nothing left beside it";
        if (boxes.Count() == 0) {
            saved = edit;
            EXPECT_EQ(ReadBytes(profile), after[edit]);
        } else {
            EXPECT_EQ(boxes.Texts(), Lines{"Unable to write to " + profile});
            EXPECT_EQ(boxes.Last().flags, UINT(MB_ICONSTOP));
            EXPECT_EQ(fs::exists(profile), road.profile != TProfile::Missing);
            EXPECT_EQ(ReadBytes(profile), before);
            EXPECT_EQ(form->Edit1->Text(), kEdits[edit]);
            boxes.shown.clear();
            Press(form->SpeedButton4);  // Exit, answered with Cancel
            EXPECT_EQ(boxes.Texts(), Lines{"Save changes to " + profile + "?"}) << "the edit still counts as unsaved";
            EXPECT_EQ(boxes.Last().flags, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
            EXPECT_TRUE(hit || (road.profile == TProfile::Missing && road.besideRefused))
                << "refused with nothing refused but the profile's folder";
        }
        if (!hit || HasFailure()) break;
    }
}

std::vector<Road> EveryRoad() {
    std::vector<Road> roads;
    for (const TProfile profile : {TProfile::Exists, TProfile::Missing, TProfile::Empty})
        for (const TTemporary temporary :
             {TTemporary::Works, TTemporary::Missing, TTemporary::RefusesDraft, TTemporary::CannotFill})
            for (const bool besideRefused : {false, true}) roads.push_back({profile, temporary, besideRefused});
    return roads;
}

INSTANTIATE_TEST_SUITE_P(Every, SaveRoads, testing::ValuesIn(EveryRoad()),
                         [](const testing::TestParamInfo<Road>& info) { return info.param.Name(); });

}  // namespace
