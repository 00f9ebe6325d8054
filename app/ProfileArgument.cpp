#include "app/ProfileArgument.h"

#include <windows.h>

#include "app/CommandLine.h"
#include "forms/Paths.h"

namespace glim {

const std::string& ProfileArgument() {
    static const std::string path = [] {
        const char* line = GetCommandLineA();
        const std::vector<std::string> args = SplitCommandLine(line ? line : "");
        return forms::FullPath(args.size() > 1 ? args[1] : std::string());
    }();
    return path;
}

}  // namespace glim
