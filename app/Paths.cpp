#include "app/Paths.h"

namespace glim {

std::string FolderOf(const std::string& path) {
    const size_t end = path.find_last_of("\\:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    const size_t dot = path.find_last_of(".\\:");
    if (dot != std::string::npos && path[dot] == '.') return path.substr(0, dot) + ext;
    return path + ext;
}

}  // namespace glim
