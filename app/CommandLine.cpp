#include "app/CommandLine.h"

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

}  // namespace glim
