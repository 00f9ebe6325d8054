#include "ReferenceProfile.h"

#include "platform/Codepage.h"

namespace reference {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// The file as a row of code units: bytes, or UTF-16 LE units after the mark.
struct Units {
    std::vector<char16_t> units;
    std::vector<std::string> bytes;  // the raw bytes of each unit
};

Units Decode(std::string_view data, bool utf16) {
    Units result;
    const std::size_t step = utf16 ? 2 : 1;
    for (std::size_t i = 0; i + step <= data.size(); i += step) {
        const auto lo = static_cast<unsigned char>(data[i]);
        const auto hi = utf16 ? static_cast<unsigned char>(data[i + 1]) : 0;
        result.units.push_back(static_cast<char16_t>(lo | (hi << 8)));
        result.bytes.emplace_back(data.substr(i, step));
    }
    return result;
}

// The ANSI characters of a line's units up to its first NUL; a surrogate pair
// is one character that the code page lacks.
std::string AnsiText(const std::vector<char16_t>& units, bool utf16) {
    std::string text;
    for (std::size_t i = 0; i < units.size() && units[i] != 0; ++i) {
        if (!utf16) {
            text.push_back(static_cast<char>(units[i]));
        } else if (units[i] >= 0xD800 && units[i] < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                   units[i + 1] < 0xE000) {
            text.push_back('?');
            ++i;
        } else {
            text.push_back(platform::WideToAnsi(units[i]));
        }
    }
    return text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

Line Classify(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view trimmed = TrimBlanks(line.text);
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
    } else if (trimmed[0] == ';') {
        line.kind = Kind::Comment;
    } else if (trimmed[0] == '[') {
        line.kind = Kind::Header;
        const std::string_view inside = trimmed.substr(1);
        line.name = std::string(TrimBlanks(inside.substr(0, inside.find(']'))));
    } else {
        line.kind = Kind::Entry;
        const std::size_t equal = trimmed.find('=');
        line.name = std::string(TrimBlanks(trimmed.substr(0, equal)));
        if (equal != std::string_view::npos) {
            line.hasValue = true;
            line.value = std::string(TrimBlanks(trimmed.substr(equal + 1)));
        }
    }
    return line;
}

Profile Split(std::string_view bytes) {
    Profile profile;
    profile.utf16 = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    std::string_view data = bytes;
    if (profile.utf16) {
        profile.head = std::string(bytes.substr(0, 2));
        data.remove_prefix(2);
        if (data.size() % 2 != 0) {
            profile.tail = std::string(data.substr(data.size() - 1));
            data.remove_suffix(1);
        }
    }
    const Units file = Decode(data, profile.utf16);
    const std::size_t count = file.units.size();

    std::size_t i = 0;
    while (i < count) {
        std::vector<char16_t> units;
        std::string raw;
        while (i < count && file.units[i] != u'\r' && file.units[i] != u'\n') {
            units.push_back(file.units[i]);
            raw += file.bytes[i];
            ++i;
        }
        std::string lineBreak;
        if (i < count) {
            const bool cr = file.units[i] == u'\r';
            lineBreak += file.bytes[i++];
            if (cr && i < count && file.units[i] == u'\n') lineBreak += file.bytes[i++];
        }
        Line line = Classify(AnsiText(units, profile.utf16));
        line.raw = raw + lineBreak;
        line.lineBreak = lineBreak;
        profile.lines.push_back(std::move(line));
    }
    return profile;
}

Hit Find(const Profile& profile, std::string_view section, std::string_view key) {
    section = TrimSpaces(section);
    key = TrimSpaces(key);
    Hit hit;
    for (std::size_t i = 0; i < profile.lines.size(); ++i) {
        const Line& line = profile.lines[i];
        if (line.kind == Kind::Header) {
            if (hit.header) {
                hit.end = i;
                return hit;
            }
            if (SameName(line.name, section)) hit.header = i;
        } else if (hit.header && !hit.entry && line.kind == Kind::Entry && !key.empty() && SameName(line.name, key)) {
            hit.entry = i;
        }
    }
    hit.end = profile.lines.size();
    return hit;
}

std::optional<std::string> Value(const Profile& profile, std::string_view section, std::string_view key) {
    const Hit hit = Find(profile, section, key);
    if (!hit.entry || !profile.lines[*hit.entry].hasValue) return std::nullopt;
    return Unquote(profile.lines[*hit.entry].value);
}

std::string Join(const std::string& head, const std::vector<Line>& lines) {
    std::string bytes = head;
    for (const Line& line : lines) bytes += line.raw;
    return bytes;
}

}  // namespace reference
