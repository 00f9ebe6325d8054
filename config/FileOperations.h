#pragma once
// The file operations of a save, each behind one replaceable entry whose
// default is the real Windows call. A test replaces an entry to make chosen
// calls fail as a full drive, a missing temporary folder or a folder that
// refuses new files would, and puts the old one back afterwards; everything
// else still meets the real files.

#include <windows.h>

#include <functional>
#include <string>

namespace config {

struct TFileOperations {
    // A file made at path that did not exist before, open for reading and
    // writing, with its folder's security; INVALID_HANDLE_VALUE when there is
    // one already or none can be made.
    std::function<HANDLE(const std::string& path)> Create;
    // The existing file at path, for reading, and for writing too when asked;
    // a symbolic link is followed. INVALID_HANDLE_VALUE when it cannot be
    // opened so. Every handle of these two shares reading, writing and
    // deleting with every other holder of the file.
    std::function<HANDLE(const std::string& path, bool forWriting)> Open;
    // Up to size bytes at offset from the file's start; got is 0 at its end.
    std::function<bool(HANDLE file, ULONGLONG offset, char* buffer, DWORD size, DWORD& got)> Read;
    // Up to size bytes at offset from the file's start; wrote says how many.
    std::function<bool(HANDLE file, ULONGLONG offset, const char* bytes, DWORD size, DWORD& wrote)> Write;
    // Makes the file length bytes long.
    std::function<bool(HANDLE file, ULONGLONG length)> CutToLength;
    // Waits until what was written to the file is on the disk.
    std::function<bool(HANDLE file)> Flush;
    std::function<bool(const std::string& path)> Delete;
    // The temporary folder with its final separator; empty when there is none.
    std::function<std::string()> TemporaryFolder;
    // One write of the profile functions (WritePrivateProfileStringA): a
    // value, or with a null key and value the removal of a section.
    std::function<bool(const char* section, const char* key, const char* value, const std::string& path)>
        WriteProfileString;
};

// The process's file operations; each entry starts as the real call.
TFileOperations& FileOperations();

}  // namespace config
