#include "config/ProfileFiles.h"

#include <atomic>
#include <utility>

#include "config/ProfileError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#endif

namespace config {

namespace {

[[noreturn]] void RefuseWrite(const std::string& profile) {
    throw EProfileError(EProfileError::TAction::Write, profile);
}

enum class TPathKind { Missing, File, ReadOnlyFile, Other };

}  // namespace

#ifdef _WIN32

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

TPathKind KindOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return TPathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return TPathKind::Other;
    return attributes & FILE_ATTRIBUTE_READONLY ? TPathKind::ReadOnlyFile : TPathKind::File;
}

// The temporary folder, with its final separator; empty when there is none.
std::string TemporaryFolder() {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

bool AlreadyThere() { return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS; }

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace

TOpenFile TOpenFile::Existing(const std::string& path, bool forWriting) {
    const DWORD access = GENERIC_READ | (forWriting ? GENERIC_WRITE : 0);
    return TOpenFile(
        CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TOpenFile TOpenFile::CreateNew(const std::string& path, bool) {
    return TOpenFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
}

TOpenFile::TOpenFile() : handle_(INVALID_HANDLE_VALUE) {}

TOpenFile::TOpenFile(TOpenFile&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}

TOpenFile& TOpenFile::operator=(TOpenFile&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
}

TOpenFile::~TOpenFile() { Close(); }

bool TOpenFile::IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

void TOpenFile::Close() {
    if (IsOpen()) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
}

bool TOpenFile::ReadAll(std::string& content) const {
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

bool TOpenFile::Rewrite(std::string_view bytes) {
    if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return false;
    while (!bytes.empty()) {
        DWORD wrote = 0;
        const DWORD size = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        if (!WriteFile(handle_, bytes.data(), size, &wrote, nullptr) || wrote == 0) return false;
        bytes.remove_prefix(wrote);
    }
    return SetEndOfFile(handle_);
}

bool TOpenFile::Flush() { return FlushFileBuffers(handle_); }

#else

namespace {

// A profile without any write permission bit is read-only, whoever runs the
// program, as the read-only attribute is on Windows.
TPathKind KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return TPathKind::Missing;
    if (!S_ISREG(info.st_mode)) return TPathKind::Other;
    return info.st_mode & 0222 ? TPathKind::File : TPathKind::ReadOnlyFile;
}

std::string TemporaryFolder() {
    std::error_code error;
    std::string folder = std::filesystem::temp_directory_path(error).string();
    if (error || folder.empty()) return std::string();
    if (folder.back() != '/') folder += '/';
    return folder;
}

unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }

bool AlreadyThere() { return errno == EEXIST; }

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace

// Non-blocking, so that a pipe at the path cannot hang the program.
TOpenFile TOpenFile::Existing(const std::string& path, bool forWriting) {
    return TOpenFile(::open(path.c_str(), (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK));
}

TOpenFile TOpenFile::CreateNew(const std::string& path, bool ownerOnly) {
    return TOpenFile(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666));
}

TOpenFile::TOpenFile() : fd_(-1) {}

TOpenFile::TOpenFile(TOpenFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TOpenFile& TOpenFile::operator=(TOpenFile&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

TOpenFile::~TOpenFile() { Close(); }

bool TOpenFile::IsOpen() const { return fd_ >= 0; }

void TOpenFile::Close() {
    if (IsOpen()) ::close(std::exchange(fd_, -1));
}

bool TOpenFile::ReadAll(std::string& content) const {
    content.clear();
    char chunk[65536];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd_, chunk, sizeof chunk, at);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        content.append(chunk, static_cast<std::size_t>(got));
        at += got;
    }
}

bool TOpenFile::Rewrite(std::string_view bytes) {
    const auto size = static_cast<off_t>(bytes.size());
    for (off_t at = 0; !bytes.empty();) {
        const ssize_t wrote = ::pwrite(fd_, bytes.data(), bytes.size(), at);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
        at += wrote;
    }
    return ::ftruncate(fd_, size) == 0;
}

bool TOpenFile::Flush() { return ::fsync(fd_) == 0; }

#endif

TReadHold::TReadHold(const std::string& path) : file_(TOpenFile::Existing(path, false)) {
    if (!file_.IsOpen()) throw EProfileError(EProfileError::TAction::Read, path);
}

namespace {

// A new file in the temporary folder, its name in path; not open when none
// can be made there.
TOpenFile NewDraft(std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = TemporaryFolder();
    if (folder.empty()) return TOpenFile();
    for (int tries = 0;; ++tries) {
        path = folder + "glimsel-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++) + ".tmp";
        TOpenFile draft = TOpenFile::CreateNew(path, true);
        if (draft.IsOpen() || !AlreadyThere() || tries == 100) return draft;
    }
}

}  // namespace

TProfileDraft::TProfileDraft(std::string profile) : profile_(std::move(profile)), draft_(profile_) {
    switch (KindOf(profile_)) {
        case TPathKind::Other: return;  // the first write is refused, as it would be anyway
        case TPathKind::ReadOnlyFile: RefuseWrite(profile_);
        case TPathKind::File:
            // Another program may hold the file, or this user may not write it.
            target_ = TOpenFile::Existing(profile_, true);
            if (!target_.IsOpen() || !target_.ReadAll(before_)) RefuseWrite(profile_);
            break;
        case TPathKind::Missing: break;
    }
    std::string path;
    TOpenFile draft = NewDraft(path);
    if (!draft.IsOpen()) return;  // the writes go straight into the profile
    // The draft starts as the profile, so that every key the save does not
    // write stays as it was.
    if (!draft.Rewrite(before_)) {
        draft.Close();
        RemoveFile(path);
        RefuseWrite(profile_);
    }
    draft_ = path;
}

TProfileDraft::~TProfileDraft() {
    if (!InPlace()) RemoveFile(draft_);
}

void TProfileDraft::Commit() {
    if (InPlace()) return;
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
        RemoveFile(profile_);
        RefuseWrite(profile_);
    }
}

}  // namespace config
