#pragma once
// The program's command-line arguments.

#include <string>
#include <string_view>
#include <vector>

namespace glim {

// Splits a command line into its arguments, the program's own name first.
// Characters 1 to 32 separate arguments; a stretch in double quotes may hold
// them and the quotes are dropped; an empty pair of quotes where an argument
// would begin is skipped like a blank. A NUL ends the line. Arguments are
// kept whole, however long: a shortened path would name some other file.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace glim
