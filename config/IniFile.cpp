#include "config/IniFile.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/Profile.h"
#endif

#include "config/NumberSyntax.h"
#include "forms/Exception.h"

namespace config {

namespace {

#ifdef _WIN32
using ::GetPrivateProfileStringA;
using ::WritePrivateProfileStringA;
#else
using platform::GetPrivateProfileStringA;
using platform::WritePrivateProfileStringA;
#endif

constexpr const char* kFlagTexts[2] = {"0", "1"};

std::string UnableToWritePattern() {
#ifdef _WIN32
    char text[512];
    const int length = LoadStringA(GetModuleHandleA(nullptr), kIdsUnableToWrite, text, sizeof text);
    if (length > 0) {
        return std::string(text, static_cast<std::size_t>(length));
    }
#endif
    return "Unable to write to %s";
}

}  // namespace

// The name goes in as text, never as a format: a "%" in it stays a "%".
std::string UnableToWriteMessage(const std::string& fileName) {
    std::string message = UnableToWritePattern();
    const std::size_t placeholder = message.find("%s");
    if (placeholder != std::string::npos) {
        message.replace(placeholder, 2, fileName);
    }
    return message;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    char buffer[1024];
    const auto copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                 sizeof buffer, fileName_.c_str());
    return std::string(buffer, std::min<std::size_t>(copied, sizeof buffer - 1));
}

std::int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
    std::string text = ReadValue(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.replace(0, 2, "$");
    }
    return ParseNumber(text).value_or(defaultValue);
}

void TIniFile::WriteValue(const std::string& section, const std::string& key, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) {
        throw forms::Exception(UnableToWriteMessage(fileName_));
    }
}

void TIniFile::WriteFlag(const std::string& section, const std::string& key, bool flag) {
    WriteValue(section, key, kFlagTexts[flag ? 1 : 0]);
}

void TIniFile::ClearSection(const std::string& section) {
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str())) {
        throw forms::Exception(UnableToWriteMessage(fileName_));
    }
}

}  // namespace config
