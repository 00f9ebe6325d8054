#pragma once
// The program's texts from its string table.

#include <initializer_list>
#include <string>

namespace glim {

// The string-table entry id of the running module, empty where it has none,
// with each "%s" in turn replaced by the next name as it stands: a "%" in a
// name stays as it is.
std::string LoadText(unsigned id, std::initializer_list<std::string> names = {});

}  // namespace glim
