#include "config/ProfileFormat.h"

#include <cstdio>

#include "config/NumberSyntax.h"

namespace config {

namespace {

// What follows the ">" of an About value is cut to this length.
constexpr std::size_t kAboutLineLimit = 255;

// Characters that the profile functions drop at the start of a value: Wine
// drops all five (and CR and LF, which never begin a memo line), Windows at
// least blank, tab and vertical tab. A ">" before them costs nothing where
// they would have been kept.
bool DroppedAtValueStart(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

// Whether the profile functions give back `text` without its first and last
// characters: it begins and ends with the same quote.
bool Enclosed(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

// True when the store gives back an empty value for `line`: what is left
// after its blanks at both ends is nothing or a lone pair of matching quotes.
bool ReadsBackEmpty(std::string_view line) {
    while (!line.empty() && DroppedAtValueStart(line.front())) line.remove_prefix(1);
    const std::string text = TrimRightBlanks(line);
    return text.empty() || (text.size() == 2 && Enclosed(text));
}

}  // namespace

std::string MaskKey(std::size_t lineNumber) {
    std::string key = "E";
    return key += std::to_string(lineNumber);
}

std::string AboutKey(std::size_t lineNumber) {
    std::string key = "L";
    return key += std::to_string(lineNumber);
}

std::string LowerCaseAtoZ(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string EncodeColour(std::int32_t colour) {
    if (colour == clBackground) return "";
    char text[16];
    std::snprintf(text, sizeof text, "$%06lX", static_cast<unsigned long>(static_cast<std::uint32_t>(colour)));
    return text;
}

std::optional<std::int32_t> DecodeColour(std::string_view stored) {
    if (stored.empty()) return std::nullopt;
    const std::optional<std::int32_t> colour = ParseNumber(stored);
    if (!colour || *colour == 0) return std::nullopt;
    return colour;
}

// A line that reads back as an empty value (blanks only, or a lone pair of
// quotes) would end the list at the next load and hide every mask after it:
// such lines are left out and the keys numbered without gaps.
std::vector<std::string> EncodeMasks(const std::vector<std::string>& lines) {
    std::vector<std::string> masks;
    masks.reserve(lines.size());
    for (const std::string& line : lines)
        if (!ReadsBackEmpty(line)) masks.push_back(line);
    return masks;
}

// A line led by a character that the store drops, or enclosed in a pair of
// quotes that it strips, is carried through the file behind a ">"; a load
// drops one leading ">", so a line whose own text begins with ">" carries a
// second one. Any other line is stored as it stands.
std::array<std::string, kAboutLineCount> EncodeAboutLines(const std::vector<std::string>& lines) {
    std::array<std::string, kAboutLineCount> values;
    for (std::size_t n = 0; n < kAboutLineCount && n < lines.size(); ++n) {
        std::string value = TrimRightBlanks(lines[n]);
        if (!value.empty() && (DroppedAtValueStart(value.front()) || value.front() == '>' || Enclosed(value)))
            value.insert(0, 1, '>');
        if (n == 0) value.append(kFirstLinePadding, ' ');
        values[n] = std::move(value);
    }
    return values;
}

std::string DecodeAboutLine(std::string_view stored) {
    if (!stored.empty() && stored.front() == '>') return std::string(stored.substr(1, kAboutLineLimit));
    return std::string(stored);
}

std::string TrimRightBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace config
