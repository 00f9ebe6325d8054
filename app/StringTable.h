#pragma once
// The program's texts from its string table.

#include <string>

namespace glim {

// The string-table entry id of the running module, empty where it has none.
// An entry with "%s" is a template: forms::Format fills the names into it,
// each as it stands.
std::string LoadText(unsigned id);

}  // namespace glim
