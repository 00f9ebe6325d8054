#include "app/AboutText.h"

#include "config/ProfileFormat.h"

namespace glim {

std::string ComposeAboutPreview(const std::vector<std::string>& lines) {
    std::string text;
    bool padded = false;
    for (size_t i = 0; i < config::kAboutLineCount; ++i) {
        const std::string line = i < lines.size() ? lines[i] : std::string();
        text += line;
        if (!line.empty() && !padded) {
            text.append(config::kFirstLinePadding, ' ');
            padded = true;
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace glim
