#pragma once
// The Windows profile functions and the file-exists test, for hosts other
// than Windows, over plain text files (see ProfileText.h for how a file is
// read and edited). They take and return the same values as the kernel32
// functions of the same names, for the calls that read one key, write one
// key, delete one key and delete one section.
//
// Beyond the Windows functions, a write never leaves a half-written file: the
// new text goes to a new file in the same folder, which then replaces the old
// one. Every read reads the file afresh.

#include <cstdint>

namespace platform {

// Copies the value of key in section of the file into buffer (at most size - 1
// characters and a NUL) and returns the number of characters copied. A
// missing file, section or key, or an entry without '=', gives the default
// (NULL counts as empty) less its trailing spaces. Listing sections or keys
// (a NULL section or key) is not offered: it gives an empty list.
std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                                       std::uint32_t size, const char* fileName);

// Sets key in section to value; with a NULL value deletes the key, with a NULL
// key deletes the section. Missing files and sections are created. Returns
// non-zero on success and 0 when the file cannot be written: a read-only file
// (no write permission bit, even for the superuser, like the read-only
// attribute), a folder or other non-regular file, a missing folder.
int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* fileName);

// Whether the path names an existing file; a folder does not count.
bool FileExists(const char* path);

}  // namespace platform
