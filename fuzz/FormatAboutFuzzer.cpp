// The template formatter over arbitrary text, as the About box feeds it the
// memo's lines: Format must return or raise EConvertError, nothing else. With
// no arguments a text without specifiers comes back with each "%%" made "%"
// and any other "%" raises; with arguments, text before the first specifier
// comes back as it stands, and a text without specifiers ignores them.
//
// Input: up to three integer or string arguments (taken from the end), then
// the template's bytes; the template's lines, cut at CR, LF and NUL, also
// make an About preview.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/AboutText.h"
#include "forms/Format.h"

namespace {

using forms::FormatArg;
using fuzzing::Fail;
using fuzzing::Shown;

// The text up to the first specifier with "%%" made "%", and whether there
// is no specifier at all.
struct Literal {
    std::string text;
    bool whole = true;
};

Literal LiteralPart(std::string_view format) {
    Literal literal;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            literal.text += format[i];
        } else if (format.substr(i, 2) == "%%") {
            literal.text += '%';
            ++i;
        } else {
            literal.whole = false;
            break;
        }
    }
    return literal;
}

// The result, or nothing for EConvertError.
std::optional<std::string> Run(std::string_view format, std::span<const FormatArg> args) {
    try {
        return forms::Format(format, args);
    } catch (const forms::EConvertError&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        Fail("Format raised something else than EConvertError", "template " + Shown(format) + "\nwhat " + e.what());
    } catch (...) {
        Fail("Format raised something that is not an exception", "template " + Shown(format));
    }
}

void Check(std::string_view format, std::span<const FormatArg> args) {
    const Literal literal = LiteralPart(format);
    const std::optional<std::string> got = Run(format, args);
    // Without arguments any specifier raises; with them it may still fail.
    bool fits = literal.whole ? got == literal.text : !got;
    if (!literal.whole && !args.empty() && got) fits = got->compare(0, literal.text.size(), literal.text) == 0;
    if (!fits) {
        Fail("Format does not keep the text around its specifiers",
             "template " + Shown(format) + "\narguments " + std::to_string(args.size()) + "\nliteral part " +
                 Shown(literal.text) + (literal.whole ? " (no specifier)" : "") + "\ngot " +
                 (got ? Shown(*got) : std::string("EConvertError")));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<FormatArg> args;
    for (int n = input.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
        switch (input.ConsumeIntegralInRange<int>(0, 2)) {
            case 0: args.emplace_back(input.ConsumeIntegral<std::int32_t>()); break;
            case 1: args.emplace_back(input.ConsumeIntegral<std::int64_t>()); break;
            default: args.emplace_back(input.ConsumeRandomLengthString(40)); break;
        }
    }
    const std::string format = input.ConsumeRemainingBytesAsString();

    Check(format, {});
    Check(format, args);

    // The About preview, as its button shows it: the lines with the first
    // one padded, six of them, each ended by CR LF.
    std::vector<std::string> lines(1);
    for (const char c : format)
        if (c == '\r' || c == '\n' || c == '\0')
            lines.emplace_back();
        else
            lines.back() += c;
    Check(glim::ComposeAboutPreview(lines), {});
    return 0;
}
