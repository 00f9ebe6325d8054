#include "app/CommandLine.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace glim {

namespace {
bool IsSeparator(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    if (auto nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
    std::vector<std::string> args;
    size_t i = 0;
    const size_t n = line.size();
    for (;;) {
        // Blanks, and empty pairs of quotes, before an argument.
        for (;;) {
            while (i < n && IsSeparator(line[i])) ++i;
            if (i + 1 < n && line[i] == '"' && line[i + 1] == '"')
                i += 2;
            else
                break;
        }
        if (i >= n) break;
        std::string arg;
        while (i < n && !IsSeparator(line[i])) {
            if (line[i] == '"') {
                ++i;
                while (i < n && line[i] != '"') arg += line[i++];
                if (i < n) ++i;  // the closing quote
            } else {
                arg += line[i++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string ParamStr(int index) {
#ifdef _WIN32
    const char* line = GetCommandLineA();
    auto args = SplitCommandLine(line ? line : "");
#else
    std::vector<std::string> args;
#endif
    if (index < 0 || static_cast<size_t>(index) >= args.size()) return {};
    return args[static_cast<size_t>(index)];
}

std::string FullPath(const std::string& path) {
    if (path.empty()) return path;
#ifdef _WIN32
    DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::string full(n, '\0');
    n = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return full;
#else
    return path;
#endif
}

const std::string& ProfileArgument() {
    static const std::string path = FullPath(ParamStr(1));
    return path;
}

}  // namespace glim
