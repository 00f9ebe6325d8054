#pragma once
// The profile named on the running program's command line.

#include <string>

namespace glim {

// The path made full against the current folder; empty stays empty. A
// relative name means the file in the current folder, as a user expects, not
// in the Windows folder where the profile functions would look for it.
std::string FullPath(const std::string& path);

// Command-line argument 1 as a full path, made once, at the first call: the
// profile that loads at start and that Save writes. Empty when the program
// was started without arguments.
const std::string& ProfileArgument();

}  // namespace glim
