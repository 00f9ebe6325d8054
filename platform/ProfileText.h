#pragma once
// The text of one profile (INI) file, parsed the way the Windows profile
// functions read it, and edited the way they write it: in place, so that
// every line that an edit does not touch keeps its bytes.
//
// Reading rules:
// - Lines end at CR LF, LF or a lone CR; a last line without a line break
//   counts. A NUL byte ends the text of its line.
// - Space, tab and vertical tab around names and values are dropped.
// - A line whose first non-blank character is ';' is a comment.
// - A line starting with '[' is a section header; the name runs to the first
//   ']' or, without one, to the end of the line.
// - Any other line is an entry: the name before the first '=', the value
//   after it. A line without '=' is a name without a value.
// - Entries before the first header belong to no section and are never read.
// - Names compare without regard to the case of A to Z. Only the first
//   section of a name counts, and in it the first entry of a name.
// - A value enclosed in a matching pair of ' or " comes back without them.
//
// A file that starts with the UTF-16 LE byte-order mark is UTF-16 text: its
// names and values are seen in the ANSI code page, and edits write UTF-16.
// Any other file is ANSI bytes, a UTF-8 byte-order mark included.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The blanks dropped around names and values in the file.
bool IsProfileBlank(char c);

// Names and section arguments are compared without regard to A-Z case.
bool SameProfileName(std::string_view a, std::string_view b);

class ProfileText {
public:
    explicit ProfileText(std::string bytes);

    const std::string& Bytes() const { return bytes_; }

    // The value of the key in the section, without quotes; nothing when the
    // section or the key is missing or the entry has no '='. The names are
    // given as the caller passed them (blanks are trimmed here).
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The file's bytes after an edit, or nothing when the edit changes nothing.
    std::optional<std::string> WithValue(std::string_view section, std::string_view key, std::string_view value) const;
    std::optional<std::string> WithoutKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> WithoutSection(std::string_view section) const;

private:
    enum class Kind { Blank, Comment, Header, Entry };

    struct Line {
        std::size_t begin = 0;       // first byte in the file
        std::size_t textEnd = 0;     // end of the line's text (a NUL cuts it short)
        std::size_t end = 0;         // start of the line break
        std::size_t next = 0;        // first byte of the next line
        std::size_t afterEqual = 0;  // entry with '=': first byte of the value part
        Kind kind = Kind::Blank;
        bool hasValue = false;
        // The name and value in the ANSI view, as offsets into Text().
        std::size_t nameAt = 0, nameSize = 0;
        std::size_t valueAt = 0, valueSize = 0;
    };

    struct Section {
        std::size_t header = 0;  // index of the header line
        std::size_t end = 0;     // one past its last line
    };

    void Parse();
    void Classify(Line& line, std::string_view text, std::size_t textAt);
    std::string_view Text() const { return utf16_ ? std::string_view(text_) : std::string_view(bytes_); }
    std::string_view Name(const Line& line) const { return Text().substr(line.nameAt, line.nameSize); }
    std::string_view RawValue(const Line& line) const { return Text().substr(line.valueAt, line.valueSize); }

    const Section* FindSection(std::string_view name) const;
    const Line* FindEntry(const Section& section, std::string_view key) const;
    std::string Encode(std::string_view ansi) const;
    std::string LineBreak() const;

    std::string bytes_;
    std::string text_;  // the ANSI view of a UTF-16 file
    bool utf16_ = false;
    std::size_t dataEnd_ = 0;  // bytes_ up to here hold the lines
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

}  // namespace platform
