#pragma once
// A plain line-by-line reading of a profile, written apart from platform/ so
// that the fuzz targets can hold the store up against it. It follows the
// reading rules listed in platform/ProfileText.h in the simplest way there
// is: split the whole file into lines, sort each line on its own, walk.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

enum class Kind { Blank, Comment, Header, Entry };

struct Line {
    std::string raw;        // the line's bytes, its line break included
    std::string lineBreak;  // the line break's bytes; empty on a last line without one
    std::string text;       // the line's characters before any NUL, in the ANSI code page
    Kind kind = Kind::Blank;
    std::string name;       // of a header or an entry, without its blanks
    bool hasValue = false;  // an entry with '='
    std::string value;      // without its blanks, quotes still on
};

struct Profile {
    std::string head;  // the UTF-16 byte-order mark, or nothing
    std::vector<Line> lines;
    std::string tail;  // a lone byte after the last whole UTF-16 code unit
    bool utf16 = false;
};

Profile Split(std::string_view bytes);

// Sorts one line of text by the reading rules.
Line Classify(std::string text);

// Where a read or a write of section and key lands.
struct Hit {
    std::optional<std::size_t> header;  // the first section of the name
    std::size_t end = 0;                // one past its last line
    std::optional<std::size_t> entry;   // the first entry of the key in it
};

// The arguments lose their spaces, as the profile functions take them.
Hit Find(const Profile& profile, std::string_view section, std::string_view key);

// What a read finds: the value without its outer quotes, or nothing.
std::optional<std::string> Value(const Profile& profile, std::string_view section, std::string_view key);

std::string_view TrimBlanks(std::string_view text);  // space, tab, vertical tab
std::string_view TrimSpaces(std::string_view text);
std::string Unquote(std::string_view value);
bool SameName(std::string_view a, std::string_view b);

// The bytes of the lines again, byte-order mark first.
std::string Join(const std::string& head, const std::vector<Line>& lines);

}  // namespace reference
