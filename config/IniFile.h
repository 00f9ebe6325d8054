#pragma once
// TIniFile: the program's only way into a profile. It binds one file name and
// makes every operation one call into the platform's profile functions (a
// write through FileOperations()); it keeps no copy of the file and parses
// nothing itself.

#include <cstdint>
#include <string>

namespace config {

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    // The stored value, at most 1023 characters and without leading blanks,
    // or defaultValue when the file, the section or the key is missing.
    std::string ReadValue(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    // The stored value by the number syntax, "0x" taken for "$"; the default
    // when the key is missing or its value is not a number.
    std::int32_t ReadNumber(const std::string& section, const std::string& key, std::int32_t defaultValue) const;

    // These raise EProfileError (TAction::Write) naming the file when the
    // platform refuses the write. A value is stored up to its first line break.
    void WriteValue(const std::string& section, const std::string& key, const std::string& value);
    void WriteFlag(const std::string& section, const std::string& key, bool flag);
    void ClearSection(const std::string& section);

private:
    std::string fileName_;  // as given; the write error names it
    // What the profile functions get: the name made full. Windows looks for
    // a profile named without a folder in the Windows folder, while the
    // file-exists test and every other file function look in the current
    // folder: the program would test one file and read or write another.
    std::string profilePath_;
};

}  // namespace config
