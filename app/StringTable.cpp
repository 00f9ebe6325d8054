#include "app/StringTable.h"

#include "forms/Win.h"

namespace glim {

std::string LoadText(unsigned id) {
    char buffer[1024];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace glim
