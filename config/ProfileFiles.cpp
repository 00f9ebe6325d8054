#include "config/ProfileFiles.h"

#include "config/ProfileError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#endif

namespace config {

namespace {

[[noreturn]] void RefuseWrite(const std::string& profile) {
    throw EProfileError(EProfileError::TAction::Write, profile);
}

// The folder a profile's draft goes into: the profile's own. A name without a
// folder is in the current folder, as the file functions take it.
std::string FolderOf(const std::string& profile) {
#ifdef _WIN32
    const std::size_t end = profile.find_last_of("\\/:");
    return end == std::string::npos ? std::string(".") : profile.substr(0, end + 1);
#else
    const std::size_t end = profile.rfind('/');
    return end == std::string::npos ? std::string("./") : profile.substr(0, end + 1);
#endif
}

}  // namespace

#ifdef _WIN32

TReadHold::TReadHold(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) throw EProfileError(EProfileError::TAction::Read, path);
}

TReadHold::~TReadHold() { CloseHandle(handle_); }

TProfileDraft::TProfileDraft(std::string profile) : profile_(std::move(profile)), draft_(profile_) {
    const DWORD attributes = GetFileAttributesA(profile_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return;  // the first write is refused, as it would be anyway
        if (attributes & FILE_ATTRIBUTE_READONLY) RefuseWrite(profile_);
        // Would a write in place be let through? Another program may hold
        // the file, or this user may not write it.
        HANDLE probe =
            CreateFileA(profile_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE) RefuseWrite(profile_);
        CloseHandle(probe);
        existed_ = true;
        attributes_ = attributes;
    }

    char draft[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(profile_).c_str(), "glm", 0, draft)) return;  // no new file here: in place
    draft_ = draft;
    // The draft starts as the profile, so that every key the save does not
    // write stays as it was.
    if (existed_ && !CopyFileA(profile_.c_str(), draft, FALSE)) {
        DeleteFileA(draft);
        draft_ = profile_;
        RefuseWrite(profile_);
    }
}

TProfileDraft::~TProfileDraft() {
    if (!finished_ && !InPlace()) DeleteFileA(draft_.c_str());
}

void TProfileDraft::Commit() {
    if (InPlace()) {
        finished_ = true;
        return;
    }
    // ReplaceFile gives the new file the old one's attributes and security.
    // Wine's keeps neither, so the attributes are put back where they were
    // lost (a written file is marked for archiving in any case).
    if (existed_
            ? ReplaceFileA(profile_.c_str(), draft_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
            : MoveFileExA(draft_.c_str(), profile_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        finished_ = true;
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD now = GetFileAttributesA(profile_.c_str());
        if (existed_ && now != INVALID_FILE_ATTRIBUTES && (now & kKept) != (attributes_ & kKept))
            SetFileAttributesA(profile_.c_str(), (now & ~kKept) | (attributes_ & kKept));
        return;
    }
    if (existed_ && GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        // The profile is gone and the draft kept its name: the draft is now
        // the only copy, so it is kept whatever happens next.
        finished_ = true;
        if (MoveFileExA(draft_.c_str(), profile_.c_str(), MOVEFILE_WRITE_THROUGH)) return;
    }
    RefuseWrite(profile_);
}

#else

TReadHold::TReadHold(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    if (fd_ < 0) throw EProfileError(EProfileError::TAction::Read, path);
}

TReadHold::~TReadHold() { ::close(fd_); }

namespace {

bool CopyInto(int from, int to) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(from, chunk, sizeof chunk);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t wrote = ::write(to, chunk + done, static_cast<std::size_t>(got - done));
            if (wrote < 0 && errno != EINTR) return false;
            if (wrote > 0) done += wrote;
        }
    }
}

}  // namespace

// The same rules over plain files: a profile without any write permission bit
// is read-only, whoever runs the program.
TProfileDraft::TProfileDraft(std::string profile) : profile_(std::move(profile)), draft_(profile_) {
    struct stat info {};
    if (::stat(profile_.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return;
        if (!(info.st_mode & 0222)) RefuseWrite(profile_);
        existed_ = true;
    }
    static std::atomic<unsigned> counter{0};
    const std::string draft =
        FolderOf(profile_) + ".glimsel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = ::open(draft.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return;
    draft_ = draft;
    bool copied = true;
    if (existed_) {
        const int from = ::open(profile_.c_str(), O_RDONLY | O_CLOEXEC);
        copied = from >= 0 && CopyInto(from, fd) && ::fchmod(fd, info.st_mode & 07777) == 0;
        if (from >= 0) ::close(from);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        copied = ::fchmod(fd, 0666 & ~mask) == 0;
    }
    ::close(fd);
    if (!copied) {
        ::unlink(draft.c_str());
        draft_ = profile_;
        RefuseWrite(profile_);
    }
}

TProfileDraft::~TProfileDraft() {
    if (!finished_ && !InPlace()) ::unlink(draft_.c_str());
}

void TProfileDraft::Commit() {
    if (!InPlace() && ::rename(draft_.c_str(), profile_.c_str()) != 0) RefuseWrite(profile_);
    finished_ = true;
}

#endif

}  // namespace config
