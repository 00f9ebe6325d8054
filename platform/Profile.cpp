#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>

#include "platform/ProfileText.h"

namespace platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now, so that a failed close (a late write error) can be seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// What identifies one state of a file without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool SameStamp(const FileStamp& a, const FileStamp& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size && SameTime(a.modified, b.modified) &&
           SameTime(a.changed, b.changed);
}

FileStamp StampOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

// A file's time stamps have a coarse grain (a clock tick on Linux, two seconds
// on FAT), so two changes within one grain can leave the same stamps behind.
// A parsed copy is therefore kept only of a file whose last change lies
// further back than any grain when the reading starts: any later change,
// even one that puts the old modification time back, gives a newer change
// time and so a different stamp.
constexpr std::chrono::milliseconds kSettleTime{2100};

std::atomic<Clock> movedClock{nullptr};

std::chrono::system_clock::time_point Now() {
    const Clock clock = movedClock.load();
    return clock ? clock() : std::chrono::system_clock::now();
}

bool SettledBefore(const timespec& time, std::chrono::system_clock::time_point start) {
    const auto since = std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
    const std::chrono::system_clock::time_point stamp(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(since));
    return stamp + kSettleTime < start;
}

struct FileContent {
    std::string bytes;
    struct stat info {};
    bool stable = false;  // nothing changed the file while it was read
};

// Reads a regular file whole; anything else (a folder, a pipe, a device)
// cannot be read as a profile.
std::optional<FileContent> ReadWholeFile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    FileContent content;
    if (file.Get() < 0 || ::fstat(file.Get(), &content.info) != 0 || !S_ISREG(content.info.st_mode))
        return std::nullopt;
    content.bytes.reserve(static_cast<std::size_t>(content.info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        content.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    struct stat after {};
    content.stable = ::fstat(file.Get(), &after) == 0 && SameStamp(StampOf(content.info), StampOf(after)) &&
                     content.bytes.size() == static_cast<std::size_t>(after.st_size);
    return content;
}

// The parsed copies of the last few files read, each valid for one stamp.
class ReadCache {
public:
    std::shared_ptr<const ProfileIndex> Find(const std::string& path, const FileStamp& stamp) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = files_.begin(); it != files_.end(); ++it) {
            if (it->path == path) {
                if (!SameStamp(it->stamp, stamp)) {
                    files_.erase(it);
                    return nullptr;
                }
                files_.splice(files_.begin(), files_, it);
                return files_.front().index;
            }
        }
        return nullptr;
    }

    void Store(const std::string& path, const FileStamp& stamp, std::shared_ptr<const ProfileIndex> index) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.remove_if([&](const Entry& entry) { return entry.path == path; });
        files_.push_front({path, stamp, std::move(index)});
        if (files_.size() > kMaxFiles) files_.pop_back();
    }

    void Forget(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.remove_if([&](const Entry& entry) { return entry.path == path; });
    }

private:
    static constexpr std::size_t kMaxFiles = 4;
    struct Entry {
        std::string path;
        FileStamp stamp;
        std::shared_ptr<const ProfileIndex> index;
    };
    std::mutex mutex_;
    std::list<Entry> files_;
};

ReadCache& Cache() {
    static ReadCache cache;
    return cache;
}

std::optional<std::string> LookUp(const char* section, const char* key, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (auto index = Cache().Find(path, StampOf(info))) return index->Value(section, key);
    const auto start = Now();
    std::optional<FileContent> content = ReadWholeFile(path);
    if (!content) return std::nullopt;
    const FileStamp stamp = StampOf(content->info);
    const ProfileText text(std::move(content->bytes));
    if (content->stable && SettledBefore(stamp.changed, start) && SettledBefore(stamp.modified, start)) {
        auto index = std::make_shared<const ProfileIndex>(text);
        Cache().Store(path, stamp, index);
        return index->Value(section, key);
    }
    return text.Value(section, key);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    return std::to_string(::getpid()) + "-" + std::to_string(seed) + "-" + std::to_string(counter++);
}

// Puts bytes in place of the file at path through a new file in the same
// folder, so the old file stays whole until the new one is complete. The new
// file takes the old one's permissions and, where allowed, its owner, before
// any of the content goes into it: a private profile never lies open.
bool ReplaceFile(const std::string& path, const std::string& bytes, const struct stat* old) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string prefix = (folder == "/" ? "" : folder) + "/." + base.substr(0, 64) + "~";

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = prefix + UniqueSuffix();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, old ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    FileDescriptor file(fd);
    if (old) {
        // Only the superuser may give a file away, and some file systems keep
        // no Unix owner or permissions: neither is a reason to refuse a write.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            // the writer owns the new file
        }
        if (::fchmod(fd, old->st_mode & 07777) != 0) {
            // the file system decides the permissions
        }
    }
    bool ok = WriteAll(fd, bytes);
    // A file system that cannot sync says EINVAL; the data is written all the same.
    ok = ok && (::fsync(fd) == 0 || errno == EINVAL);
    ok = file.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());  // makes the rename last; a folder that refuses this is no failure
    return true;
}

// Writes go to the file a symbolic link names, so the link stays a link.
std::optional<std::string> WriteTarget(const char* fileName) {
    struct stat info {};
    if (::lstat(fileName, &info) != 0 || !S_ISLNK(info.st_mode)) return std::string(fileName);
    char resolved[PATH_MAX];
    if (!::realpath(fileName, resolved)) return std::nullopt;  // a dangling link
    return std::string(resolved);
}

bool BlankName(const char* name) {
    while (*name == ' ') ++name;
    return *name == '\0';
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                                       std::uint32_t size, const char* fileName) {
    if (size == 0 || !buffer) return 0;
    if (!section || !key) {
        buffer[0] = '\0';
        if (size > 1) buffer[1] = '\0';
        return 0;
    }
    std::optional<std::string> found;
    if (fileName && *fileName) found = LookUp(section, key, fileName);
    std::string_view text;
    if (found) {
        text = *found;
    } else {
        text = defaultValue ? defaultValue : "";
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* fileName) {
    if (!section || !fileName || !*fileName || (key && BlankName(key))) return 0;
    const std::optional<std::string> path = WriteTarget(fileName);
    if (!path) return 0;
    std::optional<FileContent> content;
    struct stat info {};
    if (::stat(path->c_str(), &info) == 0) {
        // A file without any write permission is read-only, as the attribute
        // of that name is on Windows: refused even to the superuser.
        if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 || ::access(path->c_str(), W_OK) != 0) return 0;
        content = ReadWholeFile(*path);
        if (!content) return 0;
    } else if (errno != ENOENT) {
        return 0;
    }

    const ProfileText text(content ? std::move(content->bytes) : std::string());
    std::optional<std::string> edited = !key     ? text.WithoutSection(section)
                                        : !value ? text.WithoutKey(section, key)
                                                 : text.WithValue(section, key, value);
    if (!edited) {
        if (content) return 1;  // nothing changes: the file is left as it is
        edited.emplace();       // a delete in a missing file leaves an empty file, as on Windows
    }
    const bool written = ReplaceFile(*path, *edited, content ? &content->info : nullptr);
    Cache().Forget(fileName);
    return written ? 1 : 0;
}

void SetClock(Clock clock) { movedClock.store(clock); }

bool FileExists(const char* path) {
    struct stat info {};
    return path && *path && ::stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace platform
