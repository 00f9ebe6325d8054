// The masks and the About lines through a save and a load: what a save
// encodes, a load must decode into the lines the memos held, the values read
// back as the profile functions give them back (the few lines of ReadBack
// below). Masks: every line that no store reads back empty comes back, in
// order, as the store gives back any text. About lines: six of them,
// trailing characters 0 to 32 trimmed; a line led by a character that the
// store drops or by ">", or enclosed in quotes, comes back whole to 255
// characters behind its ">", any other as the store gives back a text.
//
// Input: Memo1's text up to the first NUL, then Memo2's; each cut into lines
// at CR LF, CR or LF, a last empty line not counting, as a memo reports them
// (a memo holds no NUL: a further one breaks a line too).

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "config/ProfileFormat.h"

namespace {

using fuzzing::Fail;
using Lines = std::vector<std::string>;

Lines MemoLines(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(std::string_view("\r\n\0", 3), start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

std::string Shown(const Lines& lines) {
    std::string shown;
    for (const std::string& line : lines) shown += "\n  " + fuzzing::Shown(line);
    return shown.empty() ? " (none)" : shown;
}

std::string RightTrimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return std::string(text);
}

// What a read through a 1024-byte buffer gives back of a value written as
// `stored`: no blanks at either end (Wine also drops form feeds and Ctrl+Z
// at the start), one pair of matching outer quotes removed, at most 1023
// characters.
std::string ReadBack(std::string_view stored) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v'; };
    while (!stored.empty() && (blank(stored.front()) || stored.front() == '\f' || stored.front() == '\x1A'))
        stored.remove_prefix(1);
    while (!stored.empty() && blank(stored.back())) stored.remove_suffix(1);
    if (stored.size() >= 2 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0])
        stored = stored.substr(1, stored.size() - 2);
    return std::string(stored.substr(0, 1023));
}

// Led by a character that the store drops at the start of a value or by
// ">", or enclosed in a pair of quotes.
bool NeedsMark(std::string_view line) {
    if (line.size() >= 2 && (line[0] == '"' || line[0] == '\'') && line.back() == line[0]) return true;
    return !line.empty() && std::string_view(" \t\v\f\x1A>").find(line[0]) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(text.find('\0'), text.size());
    const Lines masks = MemoLines(text.substr(0, nul));
    const Lines about = MemoLines(text.substr(std::min(nul + 1, size)));
    const std::string memos = "masks" + Shown(masks) + "\nAbout lines" + Shown(about);

    for (const Lines* memo : {&masks, &about})
        for (const std::string& line : *memo)
            if (config::TrimRightBlanks(line) != RightTrimmed(line))
                Fail("TrimRightBlanks left or took the wrong characters", "line " + fuzzing::Shown(line));

    // A load reads E1, E2, ... up to the first value that reads back empty.
    const Lines stored = config::EncodeMasks(masks);
    Lines gotMasks, wantMasks;
    for (const std::string& value : stored) {
        if (ReadBack(value).empty()) break;
        gotMasks.push_back(ReadBack(value));
    }
    for (const std::string& line : masks)
        if (!ReadBack(RightTrimmed(line)).empty()) wantMasks.push_back(ReadBack(line));
    if (gotMasks != wantMasks)
        Fail("the masks do not read back as saved",
             memos + "\nexpected" + Shown(wantMasks) + "\ngot" + Shown(gotMasks) + "\nstored" + Shown(stored));

    const std::array<std::string, config::kAboutLineCount> values = config::EncodeAboutLines(about);
    Lines wantAbout, gotAbout;
    for (std::size_t n = 1; n <= config::kAboutLineCount; ++n) {
        const std::string line = n <= about.size() ? RightTrimmed(about[n - 1]) : std::string();
        wantAbout.push_back(NeedsMark(line) ? line.substr(0, 255) : ReadBack(line));
        gotAbout.push_back(config::DecodeAboutLine(ReadBack(values[n - 1])));
    }
    // The store drops the 13 spaces of the first line; they must be in its value.
    bool padded = true;
    for (std::size_t n = 0; n < values.size(); ++n)
        padded = padded && values[n] == RightTrimmed(values[n]) + std::string(n == 0 && !about.empty() ? 13 : 0, ' ');
    if (gotAbout != wantAbout || !padded)
        Fail("the About lines do not read back as saved", memos + "\nexpected" + Shown(wantAbout) + "\ngot" +
                                                              Shown(gotAbout) + "\nvalues" +
                                                              Shown(Lines(values.begin(), values.end())));
    return 0;
}
