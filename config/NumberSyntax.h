#pragma once
// How a stored text becomes a signed 32-bit number: leading spaces, then an
// optional sign and decimal digits in the signed 32-bit range, or "$" and
// hexadecimal digits that fit in 32 bits, taken as a bit pattern ($FFFFFFFF
// is -1). Nothing may follow the digits, not even a blank.

#include <cstdint>
#include <optional>
#include <string_view>

namespace config {

std::optional<std::int32_t> ParseNumber(std::string_view text);

}  // namespace config
