// The in-place edit path over arbitrary file bytes: a write of a value, a key
// deletion or a section deletion must change only its own lines, keeping
// every other line byte for byte; a written value must read back; nothing may
// crash or hang.
//
// Input: the operation (taken from the end), then section, key and value
// (each ended by a backslash and one more byte), then the file's bytes. The
// names and the value are cut at their first line break, as the program's
// TIniFile cuts values: a line break inside one would start lines of its own.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ReferenceProfile.h"
#include "platform/Profile.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;
using reference::Line;
using reference::Profile;

enum Operation { kWriteValue, kDeleteKey, kDeleteSection };

std::string FirstLine(std::string text) { return text.substr(0, text.find_first_of(std::string("\r\n\0", 3))); }

struct Case {
    Operation operation;
    std::string section, key, value, file, after;

    std::string Describe() const {
        static const char* const names[] = {"write", "delete key", "delete section"};
        return std::string(names[operation]) + ": section " + Shown(section) + ", key " + Shown(key) + ", value " +
               Shown(value) + "\nfile before " + Shown(file) + "\nfile after  " + Shown(after);
    }
};

// A name that reads back as written: once its spaces are gone (as the
// profile functions drop them) it has no other blank at either end, and it
// cannot be mistaken for something else on its line.
bool ReadableSection(std::string_view section) {
    section = reference::TrimSpaces(section);
    return reference::TrimBlanks(section) == section && section.find(']') == std::string_view::npos;
}

bool ReadableKey(std::string_view key) {
    key = reference::TrimSpaces(key);
    return !key.empty() && reference::TrimBlanks(key) == key && key.find('=') == std::string_view::npos &&
           key[0] != ';' && key[0] != '[';
}

std::string Read(const std::string& path, const std::string& section, const std::string& key, std::size_t longest) {
    std::string buffer(std::max<std::size_t>(longest, 16) + 2, '\0');
    const auto count = platform::GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01-missing", buffer.data(),
                                                          static_cast<std::uint32_t>(buffer.size()), path.c_str());
    return buffer.substr(0, count);
}

// The lines before and after must be the same, but for the line at `at` of
// the old file, whose break may have been added where the file had none.
void ExpectSameLines(const Case& c, const std::vector<Line>& before, std::size_t from, std::size_t to,
                     const std::vector<Line>& after, std::size_t shift, std::size_t breakMayGrowAt) {
    for (std::size_t i = from; i < to; ++i) {
        const Line& old = before[i];
        const Line& now = after[i + shift];
        const bool grown = i == breakMayGrowAt && old.lineBreak.empty() && !now.lineBreak.empty() &&
                           now.raw.substr(0, now.raw.size() - now.lineBreak.size()) == old.raw;
        if (old.raw != now.raw && !grown) {
            Fail("a line that the edit does not touch changed",
                 c.Describe() + "\nline " + std::to_string(i) + " was " + Shown(old.raw) + ", is " + Shown(now.raw));
        }
    }
}

void CheckWriteValue(const Case& c, const Profile& before, const Profile& after, const std::string& newBreak) {
    const reference::Hit hit = reference::Find(before, c.section, c.key);
    const std::vector<Line>& old = before.lines;
    const std::vector<Line>& now = after.lines;
    const std::string entryText = std::string(reference::TrimSpaces(c.key)) + "=" + c.value;
    const std::size_t none = static_cast<std::size_t>(-1);

    if (hit.entry) {
        // The entry's line keeps its place, its line break and the spelling of its name.
        const std::size_t at = *hit.entry;
        if (now.size() != old.size()) Fail("a write to an existing key added or removed lines", c.Describe());
        ExpectSameLines(c, old, 0, at, now, 0, none);
        ExpectSameLines(c, old, at + 1, old.size(), now, 0, none);
        const Line& line = now[at];
        if (line.kind != reference::Kind::Entry || line.name != old[at].name || !line.hasValue ||
            line.value != reference::TrimBlanks(c.value) || line.lineBreak != old[at].lineBreak) {
            Fail("the written entry's line is not the entry with its new value",
                 c.Describe() + "\nline " + Shown(line.raw));
        }
    } else if (hit.header) {
        // A new line right after the section's last entry (or its header).
        std::size_t anchor = *hit.header;
        for (std::size_t i = anchor + 1; i < hit.end; ++i)
            if (old[i].kind == reference::Kind::Entry) anchor = i;
        const std::size_t at = anchor + 1;
        if (now.size() != old.size() + 1)
            Fail("a new key in an existing section is not exactly one new line", c.Describe());
        ExpectSameLines(c, old, 0, at, now, 0, anchor);
        ExpectSameLines(c, old, at, old.size(), now, 1, none);
        if (now[at].text != entryText || now[at].lineBreak != newBreak) {
            Fail("the new key's line is not where it belongs or not as written",
                 c.Describe() + "\nline " + std::to_string(at) + " is " + Shown(now[at].raw));
        }
    } else {
        // A new section at the end of the file.
        if (now.size() != old.size() + 2) Fail("a new section is not exactly two new lines", c.Describe());
        ExpectSameLines(c, old, 0, old.size(), now, 0, old.empty() ? none : old.size() - 1);
        const Line& header = now[old.size()];
        const Line& entry = now[old.size() + 1];
        if (header.text != "[" + std::string(reference::TrimSpaces(c.section)) + "]" || header.lineBreak != newBreak ||
            entry.text != entryText || entry.lineBreak != newBreak) {
            Fail("the new section's lines are not as written",
                 c.Describe() + "\nheader " + Shown(header.raw) + "\nentry " + Shown(entry.raw));
        }
    }
}

// The old lines without those that the deletion takes, joined again.
std::string Without(const Profile& before, std::size_t from, std::size_t to, bool keepComments) {
    std::vector<Line> kept;
    for (std::size_t i = 0; i < before.lines.size(); ++i) {
        const bool inside = i >= from && i < to;
        if (!inside || (keepComments && before.lines[i].kind == reference::Kind::Comment))
            kept.push_back(before.lines[i]);
    }
    return reference::Join(before.head, kept);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Case c;
    // Writes of a value twice as often: they have the most ways to go.
    static const Operation operations[] = {kWriteValue, kWriteValue, kDeleteKey, kDeleteSection};
    c.operation = operations[input.ConsumeIntegralInRange<int>(0, 3)];
    c.section = FirstLine(input.ConsumeRandomLengthString(200));
    c.key = FirstLine(input.ConsumeRandomLengthString(200));
    c.value = FirstLine(input.ConsumeRandomLengthString(1500));
    c.file = input.ConsumeRemainingBytesAsString();

    static const std::string path = fuzzing::Scratch().File("write.ini");
    fuzzing::WriteBytes(path, c.file);
    const char* key = c.operation == kDeleteSection ? nullptr : c.key.c_str();
    const char* value = c.operation == kWriteValue ? c.value.c_str() : nullptr;
    const int written = platform::WritePrivateProfileStringA(c.section.c_str(), key, value, path.c_str());
    c.after = fuzzing::ReadBytes(path);

    if (key && reference::TrimSpaces(c.key).empty()) {
        if (written || c.after != c.file)
            Fail("a write with a blank key name was not refused, or changed the file", c.Describe());
        return 0;
    }
    if (!written) Fail("a write to a writable file was refused", c.Describe());

    const Profile before = reference::Split(c.file);
    const Profile after = reference::Split(c.after);
    // A rewrite keeps the file's encoding and loses only a lone byte after the
    // last whole UTF-16 code unit.
    if (c.after != c.file && (after.head != before.head || !after.tail.empty()))
        Fail("the edit changed the file's encoding mark or kept a stray byte", c.Describe());
    const std::string newBreak = before.utf16 ? std::string("\r\0\n\0", 4) : std::string("\r\n");

    const reference::Hit hit = reference::Find(before, c.section, c.key);
    switch (c.operation) {
        case kWriteValue:
            CheckWriteValue(c, before, after, newBreak);
            if (ReadableSection(c.section) && ReadableKey(c.key)) {
                const std::string expected = reference::Unquote(reference::TrimBlanks(c.value));
                const std::string got = Read(path, c.section, c.key, c.value.size());
                if (got != expected) {
                    Fail("the written value does not read back",
                         c.Describe() + "\nexpected " + Shown(expected) + "\ngot " + Shown(got));
                }
            }
            break;
        case kDeleteKey:
            if (!hit.entry ? c.after != c.file : c.after != Without(before, *hit.entry, *hit.entry + 1, false))
                Fail("deleting a key did not take exactly its line", c.Describe());
            break;
        case kDeleteSection:
            if (!hit.header ? c.after != c.file : c.after != Without(before, *hit.header, hit.end, true))
                Fail("deleting a section did not take exactly its header, entries and blank lines", c.Describe());
            break;
    }

    // Whatever the edit, the file that is left reads as a line-by-line reading finds.
    const std::optional<std::string> expected = reference::Value(after, c.section, c.key);
    const std::string got = Read(path, c.section, c.key, c.after.size());
    if (got != expected.value_or("\x01-missing")) {
        Fail("the edited file does not read as a line-by-line reading finds",
             c.Describe() + "\nexpected " + Shown(expected) + "\ngot " + Shown(got));
    }
    return 0;
}
