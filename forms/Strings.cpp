#include "forms/Strings.h"

#include "forms/Exception.h"

namespace forms {

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

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    SetLines(source.ToVector());
}

void TStrings::Assign(const std::vector<std::string>& lines) { SetLines(lines); }

void TStrings::CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::Count() const { return static_cast<int>(ToVector().size()); }

std::string TStrings::Get(int index) const {
    auto lines = ToVector();
    CheckIndex(index, static_cast<int>(lines.size()));
    return std::move(lines[static_cast<size_t>(index)]);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<size_t>(index)];
}

}  // namespace forms
