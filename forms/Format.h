#pragma once
// The string-formatting routine: a template with "%" specifiers filled from a
// list of tagged values. User text never reaches a printf-family format.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "forms/Exception.h"

namespace forms {

// One value of an argument list.
using FormatArg = std::variant<std::int32_t, std::int64_t, char, double, std::string, const void*>;

// A template that its arguments cannot fill, or a malformed one.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Fills the template. "%%" gives one "%". A specifier is
// "%" [index ":"] ["-"] [width] ["." precision] type, with type one of
// d u p s x (either case); index, width and precision may be "*", taken from
// the arguments. An index picks the argument (from 0) and later specifiers go
// on from the one after it; width pads with blanks on the left, on the right
// after "-" or for a negative "*" width. Widths and precisions above 65535
// are refused.
//   d      int32/int64; precision = least digits, zero-padded after the sign
//   u, x   int32/int64 as its own unsigned bits, decimal or upper-case hex
//   p      pointer, upper-case hex, two digits per byte
//   s      string or char; precision = most characters
// A floating-point value fills no specifier. A specifier that its argument
// cannot fill, one with no argument left, and a malformed one raise
// EConvertError.
std::string Format(std::string_view format, std::span<const FormatArg> args);
inline std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace forms
