#include "forms/Paths.h"

#ifdef _WIN32
#include "forms/Win.h"
#endif

namespace forms {

namespace {

constexpr std::string_view kFolderEnds = "\\/:";

// Where the name of a path starts: after its folder.
std::size_t NameStart(std::string_view path) { return path.find_last_of(kFolderEnds) + 1; }

}  // namespace

std::string FolderOf(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::size_t dot = path.rfind('.');
    std::string changed(dot != std::string_view::npos && dot >= NameStart(path) ? path.substr(0, dot) : path);
    return changed += ext;
}

std::string FileNamePart(std::string_view path) { return std::string(path.substr(path.find_last_of("\\:") + 1)); }

#ifdef _WIN32
std::string FullPath(const std::string& path) {
    if (path.empty()) return path;
    DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::string full(n, '\0');
    n = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return full;
}
#endif

}  // namespace forms
