#pragma once
// What the fuzz targets share: a check that stops the run with a readable
// account of what went wrong.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace fuzzing {

// Printable form of a text for failure reports: C escapes, quoted.
inline std::string Shown(std::string_view text) {
    std::string shown = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown + "\"";
}

inline std::string Shown(const std::string& text) { return Shown(std::string_view(text)); }

inline std::string Shown(const char* text) { return Shown(std::string_view(text)); }

inline std::string Shown(const std::optional<std::string>& text) {
    return text ? Shown(*text) : std::string("(nothing)");
}

[[noreturn]] inline void Fail(const char* what, const std::string& details) {
    std::fprintf(stderr, "\n*** %s\n%s\n", what, details.c_str());
    std::abort();
}

}  // namespace fuzzing
