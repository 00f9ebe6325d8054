// The read path over arbitrary file bytes: GetPrivateProfileStringA with any
// section, key, default and buffer size must answer what a line-by-line
// reading finds, never write past the buffer, never crash or hang.
//
// Input: buffer size and default choice (taken from the end), then section,
// key and default (each ended by a backslash and one more byte), then the
// file's bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ReferenceProfile.h"
#include "platform/Profile.h"
#include "platform/ProfileText.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;

// A C string argument ends at its first NUL.
std::string AsArgument(std::string text) { return text.substr(0, text.find('\0')); }

std::string Case(const std::string& section, const std::string& key, const std::string& file) {
    return "section " + Shown(section) + ", key " + Shown(key) + "\nfile " + Shown(file);
}

void CheckRead(const std::string& path, const std::string& section, const std::string& key, const char* defaultValue,
               std::uint32_t size, const std::optional<std::string>& expected, const std::string& file) {
    // Exactly size bytes, so that AddressSanitizer sees any write beyond them.
    std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    std::memset(buffer.get(), '\x7F', size == 0 ? 1 : size);
    const std::uint32_t count = platform::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue,
                                                                   buffer.get(), size, path.c_str());
    if (size == 0) {
        if (count != 0 || buffer[0] != '\x7F')
            Fail("a read with no buffer returned characters or touched it", Case(section, key, file));
        return;
    }
    std::string want;
    if (expected) {
        want = *expected;
    } else {
        // Only trailing spaces leave the default; its leading ones stay.
        want = defaultValue ? defaultValue : "";
        while (!want.empty() && want.back() == ' ') want.pop_back();
    }
    want = want.substr(0, size - 1);
    if (count >= size || buffer[count] != '\0' || std::string(buffer.get(), count) != want) {
        Fail("the read returned something else than a line-by-line reading",
             Case(section, key, file) + "\nbuffer size " + std::to_string(size) + ", default " +
                 (defaultValue ? Shown(defaultValue) : "(none)") + "\nexpected " + Shown(want) + "\ngot " +
                 Shown(std::string(buffer.get(), count < size ? count : size)) + " (count " + std::to_string(count) +
                 ")");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bufferSize = input.ConsumeIntegralInRange<std::uint32_t>(0, 1100);
    const bool noDefault = input.ConsumeIntegralInRange<int>(0, 7) == 0;
    const std::string section = AsArgument(input.ConsumeRandomLengthString(300));
    const std::string key = AsArgument(input.ConsumeRandomLengthString(300));
    const std::string defaultValue = AsArgument(input.ConsumeRandomLengthString(1200));
    const std::string file = input.ConsumeRemainingBytesAsString();

    const reference::Profile profile = reference::Split(file);
    const std::optional<std::string> expected = reference::Value(profile, section, key);

    // The parser, directly.
    const platform::ProfileText text(file);
    const std::optional<std::string> parsed = text.Value(section, key);
    if (parsed != expected) {
        Fail("ProfileText::Value differs from a line-by-line reading",
             Case(section, key, file) + "\nexpected " + Shown(expected) + "\ngot " + Shown(parsed));
    }

    // The profile function, over a real file.
    static const std::string path = fuzzing::Scratch().File("read.ini");
    fuzzing::WriteBytes(path, file);
    CheckRead(path, section, key, noDefault ? nullptr : defaultValue.c_str(), bufferSize, expected, file);
    return 0;
}
