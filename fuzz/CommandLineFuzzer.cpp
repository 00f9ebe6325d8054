// The command-line splitter over arbitrary bytes: SplitCommandLine must agree
// with a one-pass reading written here from its rules (characters 1 to 32
// separate, double quotes group and are dropped, an empty pair where an
// argument would begin counts as a blank, a NUL ends the line, no length
// limit), and the arguments it finds, each put in quotes and joined by
// blanks, must split into themselves again.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/CommandLine.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;
using Args = std::vector<std::string>;

bool Separates(char c) { return static_cast<unsigned char>(c) >= 1 && static_cast<unsigned char>(c) <= 32; }

// One character at a time: outside an argument blanks and empty pairs are
// skipped; inside one a quote switches the quoted state and an unquoted
// blank ends it.
Args ReferenceSplit(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    Args args;
    std::optional<std::string> arg;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (!arg) {
            if (Separates(c)) continue;
            if (line.substr(i, 2) == "\"\"") {
                ++i;
                continue;
            }
            arg.emplace();
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (Separates(c) && !quoted) {
            args.push_back(std::move(*arg));
            arg.reset();
        } else {
            *arg += c;
        }
    }
    if (arg) args.push_back(std::move(*arg));
    return args;
}

std::string Shown(const Args& args) {
    std::string shown = "[";
    for (const std::string& arg : args) shown += (shown.size() > 1 ? ", " : "") + fuzzing::Shown(arg);
    return shown + "] (" + std::to_string(args.size()) + ")";
}

void Expect(const char* what, std::string_view line, const Args& expected) {
    const Args got = glim::SplitCommandLine(line);
    if (got != expected)
        Fail(what, "line " + fuzzing::Shown(line) + "\nexpected " + Shown(expected) + "\ngot " + Shown(got));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const Args args = ReferenceSplit(line);
    Expect("SplitCommandLine differs from the reference", line, args);

    // An argument never holds a quote, so quoting each one keeps it whole;
    // an empty one has no spelling of its own (a lone pair is skipped).
    Args nonEmpty;
    std::string joined;
    for (const std::string& arg : args) {
        if (arg.empty()) continue;
        nonEmpty.push_back(arg);
        joined += (joined.empty() ? "\"" : " \"") + arg + "\"";
    }
    Expect("the quoted arguments do not split into themselves", joined, nonEmpty);
    return 0;
}
