#include "app/Paths.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

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

bool SamePath(const std::string& a, const std::string& b) {
#ifdef _WIN32
    // The file system's comparison: ordinal, upper-casing every letter of the
    // code page, not only A to Z.
    auto wide = [](const std::string& text) {
        std::wstring out(text.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                          static_cast<int>(out.size()));
        out.resize(static_cast<size_t>(std::max(n, 0)));
        return out;
    };
    const std::wstring wa = wide(a), wb = wide(b);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE) ==
           CSTR_EQUAL;
#else
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return upper(x) == upper(y); });
#endif
}

}  // namespace glim
