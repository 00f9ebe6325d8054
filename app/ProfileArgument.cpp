#include "app/ProfileArgument.h"

#include <windows.h>

#include "app/CommandLine.h"

namespace glim {

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

const std::string& ProfileArgument() {
    static const std::string path = [] {
        const char* line = GetCommandLineA();
        const std::vector<std::string> args = SplitCommandLine(line ? line : "");
        return FullPath(args.size() > 1 ? args[1] : std::string());
    }();
    return path;
}

}  // namespace glim
