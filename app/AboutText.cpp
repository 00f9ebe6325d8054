#include "app/AboutText.h"

namespace glim {

namespace {
constexpr size_t kShownLines = 6;
constexpr size_t kPadding = 13;
}  // namespace

std::string ComposeAboutPreview(const std::vector<std::string>& lines) {
    std::string text;
    bool padded = false;
    for (size_t i = 0; i < kShownLines; ++i) {
        const std::string line = i < lines.size() ? lines[i] : std::string();
        text += line;
        if (!line.empty() && !padded) {
            text.append(kPadding, ' ');
            padded = true;
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace glim
