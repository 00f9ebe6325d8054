// The masks and the About lines through the profile store: what a save
// encodes and writes, a load must read and decode into the lines the memos
// held. Masks: every line that no store reads back empty comes back, in
// order, as the store gives back any text (without its blanks at either end
// and one pair of matching outer quotes, at most 1023 characters). About
// lines: six of them, trailing characters 0 to 32 trimmed; a line led by a
// character that the store drops, by a quote or by ">", comes back whole to
// 255 characters behind its ">", any other as the store gives back a text.
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
#include "ReferenceProfile.h"
#include "config/ProfileFormat.h"
#include "platform/Profile.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;
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

// What a read of a value written as `stored` gives, through a 1024-byte buffer.
std::string ReadBack(std::string_view stored) {
    return reference::Unquote(reference::TrimBlanks(stored)).substr(0, 1023);
}

// Whether a mask line is left out: some store reads it back empty (Wine also
// drops form feeds and Ctrl+Z at the start of a value), or it holds nothing
// but codes 0 to 32.
bool LeftOut(std::string_view line) {
    const std::string text = RightTrimmed(line);
    std::string_view rest(text);
    while (!rest.empty() && std::string_view(" \t\v\f\x1A").find(rest[0]) != std::string_view::npos)
        rest.remove_prefix(1);
    return reference::Unquote(rest).empty();
}

// Led by a character that the store drops at the start of a value, by a
// quote, or by ">".
bool NeedsMark(std::string_view line) {
    return !line.empty() && std::string_view(" \t\v\f\x1A\"'>").find(line[0]) != std::string_view::npos;
}

std::string Read(const std::string& path, const char* section, const std::string& key) {
    char buffer[1024];
    const std::uint32_t count =
        platform::GetPrivateProfileStringA(section, key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return std::string(buffer, count);
}

// A value, or with no key the whole section away.
void Write(const std::string& path, const char* section, const char* key, const char* value) {
    if (!platform::WritePrivateProfileStringA(section, key, value, path.c_str()))
        Fail("the store refused a write", std::string("section ") + section + ", key " + (key ? key : "(none)"));
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
                Fail("TrimRightBlanks left or took the wrong characters", "line " + Shown(line));

    // A save over a file that holds more keys in both sections than it writes.
    static const std::string path = fuzzing::Scratch().File("memos.ini");
    fuzzing::WriteBytes(path, "[Extensions]\r\nE1=old\r\nE2=old\r\nE99=old\r\n[Dialogs]\r\nL1=>old\r\nL7=old\r\n");
    Write(path, config::kExtensions, nullptr, nullptr);
    for (const auto& [key, value] : config::EncodeMasks(masks))
        Write(path, config::kExtensions, key.c_str(), value.c_str());
    const std::array<std::string, config::kAboutLineCount> values = config::EncodeAboutLines(about);
    Write(path, config::kDialogs, nullptr, nullptr);
    for (std::size_t n = 1; n <= config::kAboutLineCount; ++n)
        Write(path, config::kDialogs, config::AboutKey(n).c_str(), values[n - 1].c_str());
    const std::string file = fuzzing::ReadBytes(path);

    const Lines gotMasks =
        config::DecodeMasks([&](const std::string& key) { return Read(path, config::kExtensions, key); });
    Lines wantMasks;
    for (const std::string& line : masks)
        if (!LeftOut(line)) wantMasks.push_back(ReadBack(line));
    if (gotMasks != wantMasks)
        Fail("the masks do not read back as saved",
             memos + "\nexpected" + Shown(wantMasks) + "\ngot" + Shown(gotMasks) + "\nfile " + Shown(file));

    Lines wantAbout, gotAbout;
    for (std::size_t n = 1; n <= config::kAboutLineCount; ++n) {
        const std::string line = n <= about.size() ? RightTrimmed(about[n - 1]) : std::string();
        wantAbout.push_back(NeedsMark(line) ? line.substr(0, 255) : ReadBack(line));
        gotAbout.push_back(config::DecodeAboutLine(Read(path, config::kDialogs, config::AboutKey(n))));
    }
    // The store drops the 13 spaces of the first line; they must be in its value.
    bool padded = true;
    for (std::size_t n = 0; n < values.size(); ++n)
        padded = padded && values[n] == RightTrimmed(values[n]) + std::string(n == 0 && !about.empty() ? 13 : 0, ' ');
    if (gotAbout != wantAbout || !padded || !Read(path, config::kDialogs, "L7").empty())
        Fail("the About lines do not read back as saved",
             memos + "\nexpected" + Shown(wantAbout) + "\ngot" + Shown(gotAbout) + "\nvalues" +
                 Shown(Lines(values.begin(), values.end())) + "\nfile " + Shown(file));
    return 0;
}
