#pragma once
// Path rules of the program: a folder ends with its last "\" or ":", and an
// extension starts at a "." that stands after both.

#include <string>

namespace glim {

// The folder of a path, up to and including its last "\" or ":"; empty when
// it has neither.
std::string FolderOf(const std::string& path);

// The path with its extension replaced by ext, or ext appended when it has
// none; a "." in a folder's name does not count.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

}  // namespace glim
