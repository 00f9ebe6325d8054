#include "config/Saving.h"

#include <windows.h>

#include <atomic>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "config/FileOperations.h"
#include "config/ProfileError.h"
#include "forms/Paths.h"

namespace config {

namespace {

[[noreturn]] void RefuseWrite(const std::string& profile) {
    throw EProfileError(EProfileError::TAction::Write, profile);
}

// One open file, closed with the object.
class TOpenFile {
public:
    // The existing file at path, for reading (and writing); a symbolic link
    // is followed. Not open when the file cannot be opened so.
    static TOpenFile Existing(const std::string& path, bool forWriting) {
        return TOpenFile(FileOperations().Open(path, forWriting));
    }
    // A file made at path that did not exist before, with its folder's
    // security; not open when there is one already or none can be made.
    static TOpenFile CreateNew(const std::string& path) { return TOpenFile(FileOperations().Create(path)); }

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

    // The whole content.
    bool ReadAll(std::string& content) const {
        content.clear();
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!FileOperations().Read(handle_, content.size(), chunk, sizeof chunk, got)) return false;
            if (got == 0) return true;
            content.append(chunk, got);
        }
    }

    // Makes bytes the whole content.
    bool Rewrite(std::string_view bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            DWORD wrote = 0;
            const std::size_t left = bytes.size() - done;
            const DWORD size = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
            if (!FileOperations().Write(handle_, done, bytes.data() + done, size, wrote) || wrote == 0) return false;
            done += wrote;
        }
        return FileOperations().CutToLength(handle_, bytes.size());
    }
    // Waits until what was written is on the disk.
    bool Flush() { return FileOperations().Flush(handle_); }

private:
    explicit TOpenFile(HANDLE handle) : handle_(handle) {}
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Removes a file that the save made. Another program (a virus scanner, an
// indexer) may look into a new file for a moment and keep it from being
// removed while it does: the removal is tried again after a short pause.
void RemoveMade(const std::string& path) {
    for (int tries = 0; !FileOperations().Delete(path); ++tries) {
        const DWORD error = GetLastError();
        if (tries == 2 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
        Sleep(tries == 0 ? 10 : 100);
    }
}

// A file that the save made, removed with the object.
class TMadeFile {
public:
    TMadeFile() = default;
    TMadeFile(const TMadeFile&) = delete;
    TMadeFile& operator=(const TMadeFile&) = delete;
    ~TMadeFile() {
        if (!path.empty()) RemoveMade(path);
    }
    std::string path;  // empty while there is none
};

// One save of a profile: the profile as it was, the drafts that the writes
// go to, and how the new content takes the profile's place.
class TProfileSave {
public:
    // A read-only profile, a folder, or one that this user or another program
    // keeps from being written, is refused before anything changes.
    explicit TProfileSave(const std::string& profile) : profile_(profile) {
        const DWORD attributes = GetFileAttributesA(profile_.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;  // made by Commit() or the first direct write
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) RefuseWrite(profile_);
        target_ = TOpenFile::Existing(profile_, true);
        if (!target_.IsOpen() || !target_.ReadAll(before_)) RefuseWrite(profile_);
    }

    // The profile's new content, made by write in a draft in folder that
    // starts as a copy of the profile, so that every key the save does not
    // write stays as it was; nothing when the draft cannot be made, filled,
    // written or read back there. The draft is removed either way.
    std::optional<std::string> InDraft(const std::string& folder, const std::function<void(TIniFile&)>& write) {
        static std::atomic<unsigned> counter{0};
        TMadeFile draft;
        TOpenFile file;
        for (int tries = 0; tries <= 100 && !file.IsOpen(); ++tries) {
            const std::string name =
                folder + "glimsel-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
            file = TOpenFile::CreateNew(name);
            if (file.IsOpen()) {
                draft.path = name;
                break;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::nullopt;
        }
        if (!file.IsOpen() || !file.Rewrite(before_)) return std::nullopt;
        file.Close();
        try {
            TIniFile ini(draft.path);
            write(ini);
        } catch (const EProfileError&) {
            return std::nullopt;
        }
        std::string after;
        file = TOpenFile::Existing(draft.path, false);
        if (!file.IsOpen() || !file.ReadAll(after)) return std::nullopt;
        file.Close();
        return after;
    }

    // Makes after the profile's content, written into the profile in place;
    // raises the write error naming the profile when that fails, with the
    // old content put back, or no new profile left.
    void Commit(const std::string& after) {
        if (target_.IsOpen()) {
            if (!target_.Rewrite(after) || !target_.Flush()) {
                PutBack();
                RefuseWrite(profile_);
            }
            return;
        }
        // A new profile is made in its own folder, with that folder's security.
        TOpenFile created = TOpenFile::CreateNew(profile_);
        if (!created.IsOpen()) RefuseWrite(profile_);
        if (!created.Rewrite(after) || !created.Flush()) {
            created.Close();
            PutBack();
            RefuseWrite(profile_);
        }
    }

    // Where no draft can be made anywhere, the writes go straight into the
    // profile; when one of them is refused, the profile is put back as it was.
    void WriteInPlace(const std::function<void(TIniFile&)>& write) {
        try {
            TIniFile ini(profile_);
            write(ini);
        } catch (...) {
            PutBack();
            throw;
        }
    }

private:
    // The profile's old content again, or no profile where there was none.
    void PutBack() {
        if (target_.IsOpen()) {
            if (target_.Rewrite(before_)) target_.Flush();
        } else if (GetFileAttributesA(profile_.c_str()) != INVALID_FILE_ATTRIBUTES) {
            RemoveMade(profile_);
        }
    }

    std::string profile_;
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
    ini.WriteValue(kOptions, kHelpFile, forms::FileNamePart(doc.HelpFile));
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
    TProfileSave save(path);
    // The draft goes to the temporary folder, or, where that cannot hold it
    // (its drive full, a quota), beside the profile.
    std::vector<std::string> places;
    if (std::string temporary = FileOperations().TemporaryFolder(); !temporary.empty())
        places.push_back(std::move(temporary));
    places.push_back(forms::FolderOf(path));
    for (const std::string& folder : places)
        if (const std::optional<std::string> after = save.InDraft(folder, write)) return save.Commit(*after);
    save.WriteInPlace(write);
}

void SaveDocument(const std::string& path, const TConfigDocument& doc) {
    SaveWholeProfile(
        path, [&doc](TIniFile& ini) { WriteDocument(ini, doc); });
}

}  // namespace config
