#pragma once
// The program's texts from its string table.

#include <string>

namespace glim {

// The string-table entry id, or fallback when the running module has none
// (the test programs do not link the resource script).
std::string LoadText(unsigned id, const char* fallback);

}  // namespace glim
