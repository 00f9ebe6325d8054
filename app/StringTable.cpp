#include "app/Strings.h"

#include "forms/Win.h"

namespace glim {

std::string LoadText(unsigned id, const char* fallback) {
    char buffer[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(fallback);
}

}  // namespace glim
