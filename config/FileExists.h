#pragma once

#include <string>

namespace config {

// Whether the path names an existing file. A folder does not count, and an
// empty path names none.
bool FileExists(const std::string& path);

}  // namespace config
