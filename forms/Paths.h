#pragma once
// The rules by which the program takes a path apart, and makes one full.
//
// Where a file lives, Windows takes "/" for a folder separator as well as
// "\", and a drive's ":" ends the folder of "D:name". The name that the
// program shows in its caption and writes as the help file is the part after
// the last "\" or ":" only, so a "/" stays in it.

#include <string>
#include <string_view>

namespace forms {

// The path up to and including its last "\", "/" or ":"; empty for a bare
// name, which means the current folder.
std::string FolderOf(std::string_view path);

// The path with its extension replaced by ext, or with ext appended when it
// has none. The extension runs from the last "." of the name to its end.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The characters after the last "\" or ":", or the whole path when it has
// neither.
std::string FileNamePart(std::string_view path);

// The path made full against the current folder; empty stays empty, and a
// path the system cannot make full is returned as it is. Windows only.
std::string FullPath(const std::string& path);

}  // namespace forms
