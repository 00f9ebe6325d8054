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
// taken from the arguments. A specifier that its argument cannot fill, one
// with no argument left, and a malformed one raise EConvertError.
std::string Format(std::string_view format, std::span<const FormatArg> args);

}  // namespace forms
