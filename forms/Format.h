#pragma once
// The string-formatting routine: a template with "%" specifiers filled from a
// list of tagged values. User text never reaches a printf-family format.

#include <cstdint>
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
// d u e f g n m p s x (either case); index, width and precision may be "*",
// taken from the arguments. An index picks the argument (from 0) and later
// specifiers go on from the one after it; width pads with blanks on the left,
// on the right after "-" or for a negative "*" width. Float precisions above
// 18 count as 18.
//   d      int32/int64; precision = least digits, zero-padded after the sign
//   u, x   int32/int64 as its own unsigned bits, decimal or upper-case hex
//   e      double, "-d.ddd...E+ddd", precision = significant digits (15)
//   f      double, fixed, precision = decimals (2)
//   g      double, without trailing zeros: fixed while the integer part has
//          no more digits than the precision and the value is at least
//          0.00001, else as e (15)
//   n      like f, with "," between groups of three integer digits
//   m      like n, with "$" after the sign (2 decimals)
//   p      pointer, upper-case hex, two digits per byte
//   s      string or char; precision = most characters
// Floats round half away from zero on their exact binary value and always
// use "." and ","; infinities and NaN read INF, -INF and NAN.
// A specifier that its argument cannot fill, one with no argument left, and
// a malformed one raise EConvertError.
std::string Format(std::string_view format, std::span<const FormatArg> args);

}  // namespace forms
