#include "platform/ProfileText.h"

#include <cstring>

#include "platform/Codepage.h"

namespace platform {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Section and key arguments lose their spaces, and only those: a tab in an
// argument is part of the name.
std::string_view TrimArgument(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

bool IsProfileBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

bool SameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

ProfileText::ProfileText(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void ProfileText::Parse() {
    std::size_t pos = 0;
    dataEnd_ = bytes_.size();
    if (bytes_.size() >= 2 && static_cast<unsigned char>(bytes_[0]) == 0xFF &&
        static_cast<unsigned char>(bytes_[1]) == 0xFE) {
        utf16_ = true;
        pos = 2;
        // A lone byte after the last whole code unit belongs to no character.
        dataEnd_ = 2 + ((bytes_.size() - 2) & ~std::size_t{1});
    }
    const auto unitAt = [this](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes_[i]) |
                                     (static_cast<unsigned char>(bytes_[i + 1]) << 8));
    };
    const std::size_t step = utf16_ ? 2 : 1;
    const auto isBreak = [&](std::size_t i) {
        const char16_t c = utf16_ ? unitAt(i) : static_cast<char16_t>(static_cast<unsigned char>(bytes_[i]));
        return c == u'\r' ? 1 : c == u'\n' ? 2 : 0;
    };

    while (pos < dataEnd_) {
        Line line;
        line.begin = pos;
        std::size_t end = pos;
        if (utf16_) {
            while (end < dataEnd_ && !isBreak(end)) end += step;
        } else {
            end = std::string_view(bytes_).find_first_of("\r\n", pos);
            if (end == std::string_view::npos) end = dataEnd_;
        }
        line.end = end;
        line.next = end;
        if (end < dataEnd_) {
            line.next = end + step;
            if (isBreak(end) == 1 && line.next < dataEnd_ && isBreak(line.next) == 2) line.next += step;
        }

        std::size_t equalAt = std::string_view::npos;  // raw position of the first '='
        if (utf16_) {
            const std::size_t textAt = text_.size();
            std::size_t i = pos;
            for (; i < end; i += step) {
                const char16_t unit = unitAt(i);
                if (unit == 0) break;
                if (unit == u'=' && equalAt == std::string_view::npos) equalAt = i;
                if (unit >= 0xD800 && unit <= 0xDBFF && i + step < end && unitAt(i + step) >= 0xDC00 &&
                    unitAt(i + step) <= 0xDFFF) {
                    i += step;  // a surrogate pair is one character, which the code page lacks
                    text_.push_back('?');
                } else {
                    text_.push_back(WideToAnsi(unit));
                }
            }
            line.textEnd = i;
            Classify(line, std::string_view(text_).substr(textAt), textAt);
        } else {
            const void* nul = std::memchr(bytes_.data() + pos, 0, end - pos);
            line.textEnd = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes_.data()) : end;
            const std::string_view text = std::string_view(bytes_).substr(pos, line.textEnd - pos);
            equalAt = text.find('=');
            if (equalAt != std::string_view::npos) equalAt += pos;
            Classify(line, text, pos);
        }
        if (line.hasValue) line.afterEqual = equalAt + step;

        if (line.kind == Kind::Header) {
            if (!sections_.empty()) sections_.back().end = lines_.size();
            sections_.push_back({lines_.size(), 0});
        }
        lines_.push_back(line);
        pos = line.next;
    }
    if (!sections_.empty()) sections_.back().end = lines_.size();
}

// Sorts one line by its text (the ANSI view, starting at textAt in Text()).
void ProfileText::Classify(Line& line, std::string_view text, std::size_t textAt) {
    const std::string_view trimmed = TrimBlanks(text);
    const std::size_t at = textAt + static_cast<std::size_t>(trimmed.data() - text.data());
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = Kind::Comment;
    } else if (trimmed.front() == '[') {
        line.kind = Kind::Header;
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        name = TrimBlanks(name);
        line.nameAt = at + static_cast<std::size_t>(name.data() - trimmed.data());
        line.nameSize = name.size();
    } else {
        line.kind = Kind::Entry;
        const std::size_t equal = trimmed.find('=');
        std::string_view name = trimmed.substr(0, equal);
        name = TrimBlanks(name);
        line.nameAt = at;
        line.nameSize = name.size();
        if (equal != std::string_view::npos) {
            line.hasValue = true;
            const std::string_view value = TrimBlanks(trimmed.substr(equal + 1));
            line.valueAt = at + static_cast<std::size_t>(value.data() - trimmed.data());
            line.valueSize = value.size();
        }
    }
}

const ProfileText::Section* ProfileText::FindSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (SameProfileName(Name(lines_[section.header]), name)) return &section;
    return nullptr;
}

const ProfileText::Line* ProfileText::FindEntry(const Section& section, std::string_view key) const {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Entry && SameProfileName(Name(line), key)) return &line;
    }
    return nullptr;
}

std::optional<std::string> ProfileText::Value(std::string_view section, std::string_view key) const {
    key = TrimArgument(key);
    if (key.empty()) return std::nullopt;
    const Section* found = FindSection(TrimArgument(section));
    if (!found) return std::nullopt;
    const Line* entry = FindEntry(*found, key);
    if (!entry || !entry->hasValue) return std::nullopt;
    return Unquoted(RawValue(*entry));
}

std::string ProfileText::Encode(std::string_view ansi) const {
    return utf16_ ? AnsiToUtf16Le(ansi) : std::string(ansi);
}

std::string ProfileText::LineBreak() const { return utf16_ ? std::string("\r\0\n\0", 4) : std::string("\r\n"); }

std::optional<std::string> ProfileText::WithValue(std::string_view section, std::string_view key,
                                                  std::string_view value) const {
    section = TrimArgument(section);
    key = TrimArgument(key);
    if (key.empty()) return std::nullopt;
    const std::string_view bytes(bytes_);
    const auto upTo = [&](std::size_t at) { return std::string(bytes.substr(0, at)); };
    const auto from = [&](std::size_t at) { return bytes.substr(at, dataEnd_ - at); };
    const std::string newLine = Encode(std::string(key) + "=" + std::string(value)) + LineBreak();

    const Section* found = FindSection(section);
    if (!found) {
        std::string result = upTo(dataEnd_);
        if (!lines_.empty() && lines_.back().next == lines_.back().end) result += LineBreak();
        return result + Encode("[" + std::string(section) + "]") + LineBreak() + newLine;
    }

    if (const Line* entry = FindEntry(*found, key)) {
        const std::string stored = Encode(value);
        if (entry->hasValue) {
            // Only the value part changes: the name keeps its spelling and spacing.
            if (bytes.substr(entry->afterEqual, entry->end - entry->afterEqual) == stored) return std::nullopt;
            return upTo(entry->afterEqual) + stored + std::string(from(entry->end));
        }
        return upTo(entry->textEnd) + Encode("=") + stored + std::string(from(entry->end));
    }

    // A new key goes after the section's last entry; comments and blank lines
    // that follow it stay below it.
    std::size_t anchor = found->header;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (lines_[i].kind == Kind::Entry) anchor = i;
    const Line& after = lines_[anchor];
    std::string result = upTo(after.next);
    if (after.next == after.end) result += LineBreak();
    return result + newLine + std::string(from(after.next));
}

std::optional<std::string> ProfileText::WithoutKey(std::string_view section, std::string_view key) const {
    key = TrimArgument(key);
    const Section* found = FindSection(TrimArgument(section));
    const Line* entry = (found && !key.empty()) ? FindEntry(*found, key) : nullptr;
    if (!entry) return std::nullopt;
    const std::string_view bytes(bytes_);
    return std::string(bytes.substr(0, entry->begin)) + std::string(bytes.substr(entry->next, dataEnd_ - entry->next));
}

// The header, the entries and the blank lines of the section go; its comment
// lines stay where they are.
std::optional<std::string> ProfileText::WithoutSection(std::string_view section) const {
    const Section* found = FindSection(TrimArgument(section));
    if (!found) return std::nullopt;
    const std::string_view bytes(bytes_);
    std::string result(bytes.substr(0, lines_[found->header].begin));
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Comment) result += bytes.substr(line.begin, line.next - line.begin);
    }
    const std::size_t rest = lines_[found->end - 1].next;
    result += bytes.substr(rest, dataEnd_ - rest);
    return result;
}

}  // namespace platform
