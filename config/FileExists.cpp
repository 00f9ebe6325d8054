#include "config/FileExists.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/Profile.h"
#endif

namespace config {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    return platform::FileExists(path.c_str());
#endif
}

}  // namespace config
