#include "forms/Format.h"

namespace forms {

std::string Format(std::string_view format, std::span<const FormatArg>) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
        } else if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
        }
    }
    return out;
}

}  // namespace forms
