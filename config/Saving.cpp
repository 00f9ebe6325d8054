#include "config/Saving.h"

#include <windows.h>

#include <atomic>
#include <string_view>
#include <utility>
#include <vector>

#include "config/ProfileError.h"

namespace config {

namespace {

[[noreturn]] void RefuseWrite(const std::string& profile) {
    throw EProfileError(EProfileError::TAction::Write, profile);
}

// One open file, closed with the object. Every open shares reading, writing
// and deleting with every other holder of the file.
class TOpenFile {
public:
    // The existing file at path, for reading (and writing); a symbolic link
    // is followed. Not open when the file cannot be opened so.
    static TOpenFile Existing(const std::string& path, bool forWriting) {
        return TOpenFile(CreateFileA(path.c_str(), GENERIC_READ | (forWriting ? GENERIC_WRITE : 0), kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    // A file made at path that did not exist before, with its folder's
    // security; not open when there is one already or none can be made.
    static TOpenFile CreateNew(const std::string& path) {
        return TOpenFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    TOpenFile() = default;
    TOpenFile(TOpenFile&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    TOpenFile& operator=(TOpenFile&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~TOpenFile() { Close(); }

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (IsOpen()) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    }

    // The whole content, read from the start.
    bool ReadAll(std::string& content) const {
        content.clear();
        if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return false;
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(handle_, chunk, sizeof chunk, &got, nullptr)) return false;
            if (got == 0) return true;
            content.append(chunk, got);
        }
    }

    // Makes bytes the whole content.
    bool Rewrite(std::string_view bytes) {
        if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return false;
        while (!bytes.empty()) {
            DWORD wrote = 0;
            const DWORD size = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            if (!WriteFile(handle_, bytes.data(), size, &wrote, nullptr) || wrote == 0) return false;
            bytes.remove_prefix(wrote);
        }
        return SetEndOfFile(handle_);
    }
    // Waits until what was written is on the disk.
    bool Flush() { return FlushFileBuffers(handle_); }

private:
    static constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    explicit TOpenFile(HANDLE handle) : handle_(handle) {}
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The temporary folder, with its final separator; empty when there is none.
std::string TemporaryFolder() {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
}

// The folder of a path, with its final separator; empty for a bare name,
// which means the current folder.
std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/:") + 1); }

// One save of a profile: the profile as it was, the draft that the writes go
// to, and how the draft's content takes the profile's place. The destructor
// removes the draft.
class TProfileDraft {
public:
    // A read-only profile, a folder, or one that this user or another program
    // keeps from being written, is refused before anything changes.
    explicit TProfileDraft(const std::string& profile) : profile_(profile) {
        const DWORD attributes = GetFileAttributesA(profile_.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;  // made by Commit()
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) RefuseWrite(profile_);
        target_ = TOpenFile::Existing(profile_, true);
        if (!target_.IsOpen() || !target_.ReadAll(before_)) RefuseWrite(profile_);
    }
    ~TProfileDraft() { Discard(); }
    TProfileDraft(const TProfileDraft&) = delete;
    TProfileDraft& operator=(const TProfileDraft&) = delete;

    enum class TBegun { NotMade, NotFilled, Ready };

    // A new draft in folder that starts as the profile, so that every key the
    // save does not write stays as it was.
    TBegun Begin(const std::string& folder) {
        static std::atomic<unsigned> counter{0};
        Discard();
        TOpenFile draft;
        for (int tries = 0; tries <= 100 && !draft.IsOpen(); ++tries) {
            draft_ =
                folder + "glimsel-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
            draft = TOpenFile::CreateNew(draft_);
            const DWORD error = GetLastError();
            if (!draft.IsOpen() && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        if (!draft.IsOpen()) {
            draft_.clear();
            return TBegun::NotMade;
        }
        if (!draft.Rewrite(before_)) {
            draft.Close();
            Discard();
            return TBegun::NotFilled;
        }
        return TBegun::Ready;
    }

    const std::string& WritePath() const { return draft_; }

    void Discard() {
        if (!draft_.empty()) DeleteFileA(std::exchange(draft_, std::string()).c_str());
    }

    // Makes the draft's content the profile's; raises the write error naming
    // the profile when that fails.
    void Commit() {
        std::string after;
        const TOpenFile draft = TOpenFile::Existing(draft_, false);
        if (!draft.IsOpen() || !draft.ReadAll(after)) RefuseWrite(profile_);
        if (target_.IsOpen()) {
            if (!target_.Rewrite(after) || !target_.Flush()) {
                target_.Rewrite(before_);
                RefuseWrite(profile_);
            }
            return;
        }
        // A new profile is made in its own folder, with that folder's security.
        TOpenFile created = TOpenFile::CreateNew(profile_);
        if (!created.IsOpen()) RefuseWrite(profile_);
        if (!created.Rewrite(after) || !created.Flush()) {
            created.Close();
            DeleteFileA(profile_.c_str());
            RefuseWrite(profile_);
        }
    }

private:
    std::string profile_;
    std::string draft_;   // empty while there is none
    TOpenFile target_;    // the profile, open for writing, when it existed
    std::string before_;  // its content when the save began
};

void WriteDocument(TIniFile& ini, const TConfigDocument& doc) {
    ini.WriteValue(kCaptions, kTitle, doc.Title);
    ini.WriteValue(kCaptions, kDialog, doc.Dialog);

    for (std::size_t i = 0; i < kMenuItemCount; ++i) ini.WriteValue(kMenu, kMenuKeys[i], doc.MenuCaptions[i]);

    ini.ClearSection(kExtensions);
    const std::vector<std::string> masks = EncodeMasks(doc.Masks);
    for (std::size_t n = 1; n <= masks.size(); ++n) ini.WriteValue(kExtensions, MaskKey(n), masks[n - 1]);

    ini.WriteFlag(kOptions, kEditMask, doc.EditMask);
    ini.WriteFlag(kOptions, kShowFileNames, doc.ShowFileNames);
    ini.WriteValue(kOptions, kHelpFile, FileNamePart(doc.HelpFile));
    ini.WriteValue(kOptions, kOpen, doc.Open);
    ini.WriteValue(kOptions, kDefault, doc.Default);
    ini.WriteValue(kOptions, kHome, doc.Home);
    ini.WriteValue(kOptions, kMail, doc.Mail);
    ini.WriteValue(kOptions, kColor, EncodeColour(doc.Color));

    ini.ClearSection(kDialogs);
    const auto about = EncodeAboutLines(doc.AboutLines);
    for (std::size_t n = 1; n <= kAboutLineCount; ++n) ini.WriteValue(kDialogs, AboutKey(n), about[n - 1]);
}

}  // namespace

void SaveWholeProfile(const std::string& path, const std::function<void(TIniFile&)>& write) {
    TProfileDraft draft(path);
    // The draft goes to the temporary folder, or, where that cannot hold it
    // (its drive full, a quota), beside the profile.
    std::vector<std::string> places;
    if (std::string temporary = TemporaryFolder(); !temporary.empty()) places.push_back(std::move(temporary));
    places.push_back(FolderOf(path));
    bool made = false;
    for (const std::string& folder : places) {
        const TProfileDraft::TBegun begun = draft.Begin(folder);
        made = made || begun != TProfileDraft::TBegun::NotMade;
        if (begun != TProfileDraft::TBegun::Ready) continue;
        try {
            TIniFile ini(draft.WritePath());
            write(ini);
        } catch (const EProfileError&) {
            continue;
        }
        draft.Commit();
        return;
    }
    if (made) RefuseWrite(path);
    // No draft can be made anywhere: the writes go straight into the profile.
    try {
        TIniFile ini(path);
        write(ini);
    } catch (const EProfileError&) {
        RefuseWrite(path);
    }
}

void SaveDocument(const std::string& path, const TConfigDocument& doc) {
    SaveWholeProfile(
        path, [&doc](TIniFile& ini) { WriteDocument(ini, doc); });
}

}  // namespace config
