#pragma once
// The profile named on the running program's command line.

#include <string>

namespace glim {

// Command-line argument 1 as a full path, made once, at the first call: the
// profile that loads at start and that Save writes. Empty when the program
// was started without arguments.
const std::string& ProfileArgument();

}  // namespace glim
