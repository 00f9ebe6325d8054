#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
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

struct FileContent {
    std::string bytes;
    struct stat info {};
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
    return content;
}

// The value as a fresh reading of the file gives it.
std::optional<std::string> LookUp(const char* section, const char* key, const std::string& path) {
    std::optional<FileContent> content = ReadWholeFile(path);
    if (!content) return std::nullopt;
    return ProfileText(std::move(content->bytes)).Value(section, key);
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
    return written ? 1 : 0;
}

bool FileExists(const char* path) {
    struct stat info {};
    return path && *path && ::stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace platform
