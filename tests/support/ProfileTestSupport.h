#pragma once
// What the profile tests share: fresh temporary folders, whole-file reads and
// writes, and the real profile functions called directly.

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <windows.h>

namespace profiletest {

// A new folder under the system's temporary folder, removed with all it holds.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            path_ = base / ("glimsel-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
            if (std::filesystem::create_directory(path_)) break;
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code error;
        // Read-only files would stop the removal on Windows.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
        std::filesystem::remove_all(path_, error);
    }

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Every file and folder under a folder, as relative paths, sorted.
inline std::vector<std::string> Names(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
        names.push_back(entry.path().lexically_relative(folder.Path()).string());
    std::sort(names.begin(), names.end());
    return names;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void SetReadOnly(const std::string& path, bool readOnly) {
    using std::filesystem::perms;
    std::filesystem::permissions(
        path, readOnly ? perms::owner_read | perms::group_read | perms::others_read
                       : perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

// GetPrivateProfileStringA into a buffer of the given size.
inline std::string Read(const std::string& file, const char* section, const char* key, const char* defaultValue = "",
                        unsigned size = 1024) {
    std::string buffer(size + 1, '\x7F');
    const auto copied = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, file.c_str());
    return buffer.substr(0, copied);
}

inline bool Write(const std::string& file, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, file.c_str()) != 0;
}

inline bool ClearSection(const std::string& file, const char* section) {
    return WritePrivateProfileStringA(section, nullptr, nullptr, file.c_str()) != 0;
}

}  // namespace profiletest
