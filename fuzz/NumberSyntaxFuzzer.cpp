// The number syntax over arbitrary text: ParseNumber must agree with a plain
// reference written here from the rules (digits counted as text, no running
// arithmetic), and every 32-bit number must survive the trip through its
// decimal and its "$" form.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "config/NumberSyntax.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;

std::string_view WithoutLeadingZeros(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
}

// Leading spaces; then "$" and 1 or more hexadecimal digits worth at most 32
// bits, or an optional sign and 1 or more decimal digits in the signed 32-bit
// range; nothing after.
std::optional<std::int32_t> ReferenceNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);
    if (text[0] == '$') {
        const std::string_view digits = text.substr(1);
        if (digits.empty() || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            return std::nullopt;
        const std::string_view significant = WithoutLeadingZeros(digits);
        if (significant.size() > 8) return std::nullopt;
        std::uint32_t bits = 0;
        std::from_chars(significant.data(), significant.data() + significant.size(), bits, 16);
        return static_cast<std::int32_t>(bits);
    }
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    const std::string_view significant = WithoutLeadingZeros(text);
    if (significant.size() > 10) return std::nullopt;
    std::int64_t magnitude = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), magnitude);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string Shown(const std::optional<std::int32_t>& number) {
    return number ? std::to_string(*number) : std::string("(not a number)");
}

void Expect(std::string_view text, const std::optional<std::int32_t>& expected) {
    const std::optional<std::int32_t> got = config::ParseNumber(text);
    if (got != expected) {
        Fail("ParseNumber differs from the reference",
             "text " + fuzzing::Shown(text) + "\nexpected " + Shown(expected) + "\ngot " + Shown(got));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Expect(text, ReferenceNumber(text));

    if (size >= 4) {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = bits << 8 | data[i];
        const auto number = static_cast<std::int32_t>(bits);
        const std::string spaces(data[4 % size] % 4, ' ');
        char hex[16];
        std::snprintf(hex, sizeof hex, data[5 % size] & 1 ? "$%X" : "$%08x", bits);
        Expect(spaces + std::to_string(number), number);
        Expect(spaces + hex, number);
        Expect(std::to_string(number) + " ", std::nullopt);
        Expect(std::string(hex) + "\t", std::nullopt);
    }
    return 0;
}
