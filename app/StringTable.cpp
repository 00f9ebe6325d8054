#include "app/StringTable.h"

#include "forms/Win.h"

namespace glim {

std::string LoadText(unsigned id, std::initializer_list<std::string> names) {
    char buffer[1024];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    std::string text(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    size_t at = 0;
    for (const std::string& name : names) {
        at = text.find("%s", at);
        if (at == std::string::npos) break;
        text.replace(at, 2, name);
        at += name.size();
    }
    return text;
}

}  // namespace glim
