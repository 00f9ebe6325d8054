#include "forms/Strings.h"

#include "forms/Exception.h"

namespace forms {

namespace {
void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    SetLines(source.ToVector());
}

void TStrings::Assign(const std::vector<std::string>& lines) { SetLines(lines); }

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> lines;
    const int n = Count();
    lines.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) lines.push_back(Get(i));
    return lines;
}

std::string TStrings::Text() const { return JoinLines(ToVector()); }

void TStrings::SetText(std::string_view text) { SetLines(SplitLines(text)); }

void TStrings::SetLines(const std::vector<std::string>& lines) {
    Clear();
    for (const auto& line : lines) Add(line);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& s) {
    CheckIndex(index, Count());
    lines_[static_cast<size_t>(index)] = s;
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    lines_.insert(lines_.begin() + index, s);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    lines_.erase(lines_.begin() + index);
}

}  // namespace forms
