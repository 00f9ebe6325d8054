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

// Argument `index` of the running program's command line (0 is the
// program's own name as given there); empty when there is no such argument.
std::string ParamStr(int index);

// The path made full against the current folder; empty stays empty. A
// relative name means the file in the current folder, as a user expects, not
// in the Windows folder where the profile functions would look for it. Off
// Windows, where only the host tests run it, the path stays as it is.
std::string FullPath(const std::string& path);

// Command-line argument 1 as a full path, made once, at the first call: the
// profile that loads at start and that Save writes.
const std::string& ProfileArgument();

}  // namespace glim
