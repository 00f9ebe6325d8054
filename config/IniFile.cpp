#include "config/IniFile.h"

#include <algorithm>

#include <windows.h>

#include "config/FileOperations.h"
#include "config/NumberSyntax.h"
#include "config/ProfileError.h"
#include "forms/Paths.h"

namespace config {

namespace {

constexpr const char* kFlagTexts[2] = {"0", "1"};

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)), profilePath_(forms::FullPath(fileName_)) {}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    char buffer[1024];
    const auto copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                 sizeof buffer, profilePath_.c_str());
    return std::string(buffer, std::min<std::size_t>(copied, sizeof buffer - 1));
}

std::int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key, std::int32_t defaultValue) const {
    std::string text = ReadValue(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return ParseNumber(text).value_or(defaultValue);
}

// The profile functions write a value's line breaks into the file as they
// are, where they would end the value and start lines of their own (even new
// sections). Only the value's first line is stored: it is all that a read
// could give back anyway.
void TIniFile::WriteValue(const std::string& section, const std::string& key, const std::string& value) {
    const std::string firstLine = value.substr(0, value.find_first_of("\r\n"));
    if (!FileOperations().WriteProfileString(section.c_str(), key.c_str(), firstLine.c_str(), profilePath_))
        throw EProfileError(EProfileError::TAction::Write, fileName_);
}

void TIniFile::WriteFlag(const std::string& section, const std::string& key, bool flag) {
    WriteValue(section, key, kFlagTexts[flag ? 1 : 0]);
}

void TIniFile::ClearSection(const std::string& section) {
    if (!FileOperations().WriteProfileString(section.c_str(), nullptr, nullptr, profilePath_))
        throw EProfileError(EProfileError::TAction::Write, fileName_);
}

}  // namespace config
