#include "app/StringTable.h"

#include "forms/Win.h"

namespace glim {

std::string LoadText(unsigned id) {
    char buffer[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string FillNames(std::string pattern, std::initializer_list<std::string> names) {
    size_t at = 0;
    for (const std::string& name : names) {
        at = pattern.find("%s", at);
        if (at == std::string::npos) break;
        pattern.replace(at, 2, name);
        at += name.size();
    }
    return pattern;
}

}  // namespace glim
