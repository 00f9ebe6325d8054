#pragma once
// What the fuzz targets share: a private scratch folder for the profile file
// each input becomes, whole-file reads and writes, and a check that stops
// the run with a readable account of what went wrong.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace fuzzing {

// One folder per fuzzing process under the temporary folder (TMPDIR),
// removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "glimsel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    std::string File(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline const ScratchFolder& Scratch() {
    static ScratchFolder folder;
    return folder;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::perror("writing the scratch file");
        std::abort();
    }
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
